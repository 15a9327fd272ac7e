// The virtual window of headless runs.
#include "host/ScriptedWindow.h"

#include "host/HeapUse.h"
#include "host/PngWriter.h"

#include <fstream>

namespace host {

ScriptedWindow::ScriptedWindow(int width, int height, std::vector<ScriptCommand> commands,
                               VirtualClock& clock)
    : device(width, height, 0xFFFF), script(std::move(commands)), clock(clock)
{
}

bool ScriptedWindow::nextEvent(HostEvent& event, int)
{
    if (pending.empty())
        gamepad.repeat(clock.passStartTime(), pending);
    bool waitOver = !waiting || int32_t(clock.passStartTime() - waitUntil) >= 0;
    if (pending.empty() && !waitOver)
        return false;
    waiting = !waitOver;
    while (pending.empty() && !waiting && !ended) {
        if (next < script.size()) {
            play(script[next++]);
        } else {
            ended = true; // the end of the script closes the window
            push(HostEvent::CLOSE);
        }
    }
    if (pending.empty())
        return false;
    event = pending.front();
    pending.pop_front();
    return true;
}

void ScriptedWindow::play(const ScriptCommand& cmd)
{
    switch (cmd.type) {
    case ScriptCommand::WAIT:
        waiting = cmd.a > 0;
        waitUntil = clock.passStartTime() + uint32_t(cmd.a);
        break;
    case ScriptCommand::KEY:
        keyDown(cmd.a);
        keyUp(cmd.a);
        break;
    case ScriptCommand::KEY_DOWN: keyDown(cmd.a); break;
    case ScriptCommand::KEY_UP: keyUp(cmd.a); break;
    case ScriptCommand::TAP:
        pointer(HostEvent::POINTER_DOWN, cmd.a, cmd.b);
        pointer(HostEvent::POINTER_UP, cmd.a, cmd.b);
        break;
    case ScriptCommand::PRESS: pointer(HostEvent::POINTER_DOWN, cmd.a, cmd.b); break;
    case ScriptCommand::DRAG: pointer(HostEvent::POINTER_DRAG, cmd.a, cmd.b); break;
    case ScriptCommand::RELEASE: pointer(HostEvent::POINTER_UP, cmd.a, cmd.b); break;
    case ScriptCommand::SHOT: shot(cmd); break;
    case ScriptCommand::HEAP: heap(cmd); break;
    case ScriptCommand::QUIT:
        ended = true;
        push(HostEvent::CLOSE);
        break;
    case ScriptCommand::BUTTON:
        button(cmd, true);
        button(cmd, false);
        break;
    case ScriptCommand::BUTTON_DOWN: button(cmd, true); break;
    case ScriptCommand::BUTTON_UP: button(cmd, false); break;
    case ScriptCommand::STICK:
        axis(SDL_CONTROLLER_AXIS_LEFTX, cmd.a);
        axis(SDL_CONTROLLER_AXIS_LEFTY, cmd.b);
        break;
    }
}

void ScriptedWindow::button(const ScriptCommand& cmd, bool down)
{
    if (cmd.a < 0) { // a trigger is an axis
        axis(cmd.b, down ? SDL_JOYSTICK_AXIS_MAX : 0);
        return;
    }
    SDL_Event e{};
    e.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
    e.cbutton.button = Uint8(cmd.a);
    gamepad.handle(e, clock.passStartTime(), pending);
}

void ScriptedWindow::axis(int axis, int value)
{
    SDL_Event e{};
    e.type = SDL_CONTROLLERAXISMOTION;
    e.caxis.axis = Uint8(axis);
    e.caxis.value = Sint16(value);
    gamepad.handle(e, clock.passStartTime(), pending);
}

// A key pressed again while held repeats, as the host's auto-repeat would.
void ScriptedWindow::keyDown(int key)
{
    bool held = !keysDown.insert(key).second;
    push(HostEvent::KEY_DOWN, key, 0, 0, held);
}

void ScriptedWindow::keyUp(int key)
{
    keysDown.erase(key);
    push(HostEvent::KEY_UP, key);
}

// The stylus follows the mouse rules: presses off the screen are lost, drags need a press.
void ScriptedWindow::pointer(HostEvent::Type type, int x, int y)
{
    if (type == HostEvent::POINTER_UP) {
        if (stylusDown)
            push(type, 0, x, y);
        stylusDown = false;
        return;
    }
    if (!device.contains(x, y) || (type == HostEvent::POINTER_DRAG && !stylusDown))
        return;
    stylusDown = true;
    push(type, 0, x, y);
}

void ScriptedWindow::shot(const ScriptCommand& cmd)
{
    std::string error;
    if (!writePng(device, cmd.path, error)) {
        failureText = "script line " + std::to_string(cmd.line) + ": " + error;
        ended = true;
        push(HostEvent::CLOSE);
    }
}

// One line per command: the virtual time and the heap in use, so a soak can compare them.
void ScriptedWindow::heap(const ScriptCommand& cmd)
{
    std::ofstream out(cmd.path, std::ios::app);
    out << clock.passStartTime() << ' ' << heapBytesInUse() << '\n';
    if (!out) {
        failureText = "script line " + std::to_string(cmd.line) + ": cannot write " + cmd.path;
        ended = true;
        push(HostEvent::CLOSE);
    }
}

void ScriptedWindow::push(HostEvent::Type type, int key, int x, int y, bool repeat)
{
    HostEvent e;
    e.type = type;
    e.key = key;
    e.x = x;
    e.y = y;
    e.repeat = repeat;
    pending.push_back(e);
}

} // namespace host
