// Scripts of headless runs: one command per line, '#' starts a comment.
#pragma once

#include <string>
#include <vector>

namespace host {

struct ScriptCommand {
    enum Type { WAIT, KEY, KEY_DOWN, KEY_UP, TAP, PRESS, DRAG, RELEASE, SHOT, HEAP, QUIT,
                BUTTON, BUTTON_DOWN, BUTTON_UP, STICK };
    Type type = WAIT;
    int a = 0;        // milliseconds, key code, x, or a gamepad button (-1 for a trigger)
    int b = 0;        // y, or a gamepad trigger's axis
    std::string path; // shot, heap
    int line = 0;
};

// False with "line N: reason" for the first bad line; nothing is run from a bad script.
bool parseScript(const std::string& text, std::vector<ScriptCommand>& out, std::string& error);
bool loadScript(const std::string& path, std::vector<ScriptCommand>& out, std::string& error);

// A key as scripts name it: a decimal code or LEFT, RIGHT, UP, DOWN, RETURN, ESCAPE, BACK,
// TAB, SPACE, F1 to F12, a digit or a letter. -1 when unknown.
int scriptKeyCode(const std::string& name);

// A gamepad button as scripts name it: A, B, X, Y, BACK, START, LB, RB, LS, RS, the d-pad's UP,
// DOWN, LEFT, RIGHT, or the triggers LT and RT. False when unknown.
bool scriptButton(const std::string& name, int& button, int& triggerAxis);

} // namespace host
