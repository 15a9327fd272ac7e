// Parsing the scripts of headless runs.
#include "host/Script.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace host {

namespace {

struct NamedKey {
    const char* name;
    int code;
};

const NamedKey KEY_NAMES[] = {
    {"LEFT", 37}, {"RIGHT", 39}, {"UP", 38},    {"DOWN", 40},  {"RETURN", 13},
    {"ESCAPE", 27}, {"BACK", 27}, {"TAB", 9},   {"SPACE", 32},
};

struct NamedButton {
    const char* name;
    int button;
    int triggerAxis;
};

const NamedButton BUTTON_NAMES[] = {
    {"A", SDL_CONTROLLER_BUTTON_A, -1},
    {"B", SDL_CONTROLLER_BUTTON_B, -1},
    {"X", SDL_CONTROLLER_BUTTON_X, -1},
    {"Y", SDL_CONTROLLER_BUTTON_Y, -1},
    {"BACK", SDL_CONTROLLER_BUTTON_BACK, -1},
    {"START", SDL_CONTROLLER_BUTTON_START, -1},
    {"LB", SDL_CONTROLLER_BUTTON_LEFTSHOULDER, -1},
    {"RB", SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, -1},
    {"LS", SDL_CONTROLLER_BUTTON_LEFTSTICK, -1},
    {"RS", SDL_CONTROLLER_BUTTON_RIGHTSTICK, -1},
    {"UP", SDL_CONTROLLER_BUTTON_DPAD_UP, -1},
    {"DOWN", SDL_CONTROLLER_BUTTON_DPAD_DOWN, -1},
    {"LEFT", SDL_CONTROLLER_BUTTON_DPAD_LEFT, -1},
    {"RIGHT", SDL_CONTROLLER_BUTTON_DPAD_RIGHT, -1},
    {"LT", -1, SDL_CONTROLLER_AXIS_TRIGGERLEFT},
    {"RT", -1, SDL_CONTROLLER_AXIS_TRIGGERRIGHT},
};

const int STICK_MIN = -32768, STICK_MAX = 32767;

struct CommandShape {
    const char* word;
    ScriptCommand::Type type;
    enum { NONE, MILLIS, KEY, POINT, PATH, BUTTON, STICK } args;
};

const CommandShape COMMANDS[] = {
    {"wait", ScriptCommand::WAIT, CommandShape::MILLIS},
    {"key", ScriptCommand::KEY, CommandShape::KEY},
    {"keydown", ScriptCommand::KEY_DOWN, CommandShape::KEY},
    {"keyup", ScriptCommand::KEY_UP, CommandShape::KEY},
    {"tap", ScriptCommand::TAP, CommandShape::POINT},
    {"press", ScriptCommand::PRESS, CommandShape::POINT},
    {"drag", ScriptCommand::DRAG, CommandShape::POINT},
    {"release", ScriptCommand::RELEASE, CommandShape::POINT},
    {"shot", ScriptCommand::SHOT, CommandShape::PATH},
    {"heap", ScriptCommand::HEAP, CommandShape::PATH},
    {"quit", ScriptCommand::QUIT, CommandShape::NONE},
    {"button", ScriptCommand::BUTTON, CommandShape::BUTTON},
    {"buttondown", ScriptCommand::BUTTON_DOWN, CommandShape::BUTTON},
    {"buttonup", ScriptCommand::BUTTON_UP, CommandShape::BUTTON},
    {"stick", ScriptCommand::STICK, CommandShape::STICK},
};

bool parseInt(const std::string& word, int& out)
{
    if (word.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(word.c_str(), &end, 10);
    if (*end != 0 || errno != 0 || v < INT_MIN || v > INT_MAX)
        return false;
    out = int(v);
    return true;
}

std::string upper(std::string s)
{
    for (char& c : s)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The arguments of one command; the error says what was expected.
bool parseArgs(const CommandShape& shape, std::istringstream& in, ScriptCommand& cmd, std::string& error)
{
    std::string x, y;
    switch (shape.args) {
    case CommandShape::NONE:
        return true;
    case CommandShape::MILLIS:
        in >> x;
        if (!parseInt(x, cmd.a) || cmd.a < 0)
            return (error = "wait needs milliseconds, 0 or more"), false;
        return true;
    case CommandShape::KEY:
        in >> x;
        cmd.a = scriptKeyCode(x);
        if (cmd.a < 0)
            return (error = "unknown key '" + x + "'"), false;
        return true;
    case CommandShape::POINT:
        in >> x >> y;
        if (!parseInt(x, cmd.a) || !parseInt(y, cmd.b))
            return (error = std::string(shape.word) + " needs X and Y"), false;
        return true;
    case CommandShape::BUTTON:
        in >> x;
        if (!scriptButton(x, cmd.a, cmd.b))
            return (error = "unknown button '" + x + "'"), false;
        return true;
    case CommandShape::STICK:
        in >> x >> y;
        if (!parseInt(x, cmd.a) || !parseInt(y, cmd.b) || std::min(cmd.a, cmd.b) < STICK_MIN ||
            std::max(cmd.a, cmd.b) > STICK_MAX)
            return (error = "stick needs X and Y from -32768 to 32767"), false;
        return true;
    case CommandShape::PATH:
        std::getline(in >> std::ws, cmd.path);
        while (!cmd.path.empty() && std::isspace(static_cast<unsigned char>(cmd.path.back())))
            cmd.path.pop_back();
        if (cmd.path.empty())
            return (error = std::string(shape.word) + " needs a file name"), false;
        return true;
    }
    return false;
}

bool parseLine(const std::string& text, ScriptCommand& cmd, bool& empty, std::string& error)
{
    std::istringstream in(text.substr(0, text.find('#')));
    std::string word;
    empty = !(in >> word);
    if (empty)
        return true;
    word = lower(word); // commands in any case
    for (const CommandShape& shape : COMMANDS) {
        if (word != shape.word)
            continue;
        cmd.type = shape.type;
        if (!parseArgs(shape, in, cmd, error))
            return false;
        std::string extra;
        if (shape.args != CommandShape::PATH && in >> extra)
            return (error = "unexpected '" + extra + "'"), false;
        return true;
    }
    error = "unknown command '" + word + "'";
    return false;
}

} // namespace

int scriptKeyCode(const std::string& name)
{
    std::string n = upper(name);
    if (n.size() == 1 && (std::isdigit(static_cast<unsigned char>(n[0])) || (n[0] >= 'A' && n[0] <= 'Z')))
        return n[0]; // digits and capitals are their own virtual-key codes
    int code;
    if (parseInt(n, code))
        return code >= 0 ? code : -1;
    for (const NamedKey& k : KEY_NAMES)
        if (n == k.name)
            return k.code;
    if (n.size() >= 2 && n[0] == 'F' && parseInt(n.substr(1), code) && code >= 1 && code <= 12)
        return 111 + code;
    return -1;
}

bool scriptButton(const std::string& name, int& button, int& triggerAxis)
{
    std::string n = upper(name);
    for (const NamedButton& b : BUTTON_NAMES)
        if (n == b.name) {
            button = b.button;
            triggerAxis = b.triggerAxis;
            return true;
        }
    return false;
}

bool parseScript(const std::string& text, std::vector<ScriptCommand>& out, std::string& error)
{
    out.clear();
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        ScriptCommand cmd;
        bool empty = false;
        if (!parseLine(line, cmd, empty, error)) {
            error = "line " + std::to_string(number) + ": " + error;
            out.clear();
            return false;
        }
        cmd.line = number;
        if (!empty)
            out.push_back(cmd);
    }
    return true;
}

bool loadScript(const std::string& path, std::vector<ScriptCommand>& out, std::string& error)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open script " + path;
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    if (!parseScript(text.str(), out, error)) {
        error = path + ": " + error;
        return false;
    }
    return true;
}

} // namespace host
