// Game controllers as keys: buttons and sticks to virtual-key codes, with key repeat.
#include "host/Gamepad.h"

#include "host/GamepadKeys.h"

#include <algorithm>

namespace host {

namespace {

const int KEY_RETURN = 13, KEY_ESCAPE = 27, KEY_F1 = 112, KEY_F2 = 113;
const int KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40;

struct ButtonKey {
    int button;
    int key;
};

const ButtonKey BUTTON_KEYS[] = {
    {SDL_CONTROLLER_BUTTON_A, KEY_RETURN},
    {SDL_CONTROLLER_BUTTON_B, KEY_ESCAPE},
    {SDL_CONTROLLER_BUTTON_START, KEY_F1},
    {SDL_CONTROLLER_BUTTON_BACK, KEY_F2},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, KEY_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, KEY_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, KEY_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, KEY_RIGHT},
    {SDL_CONTROLLER_BUTTON_X, PAD_X},
    {SDL_CONTROLLER_BUTTON_Y, PAD_Y},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, PAD_LEFT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, PAD_RIGHT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, PAD_LEFT_STICK},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, PAD_RIGHT_STICK},
};

// An axis pushed one way past the press point holds a key.
struct AxisKey {
    int axis;
    int sign;
    int key;
};

const AxisKey AXIS_KEYS[] = {
    {SDL_CONTROLLER_AXIS_LEFTX, -1, KEY_LEFT},
    {SDL_CONTROLLER_AXIS_LEFTX, 1, KEY_RIGHT},
    {SDL_CONTROLLER_AXIS_LEFTY, -1, KEY_UP},
    {SDL_CONTROLLER_AXIS_LEFTY, 1, KEY_DOWN},
    {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 1, PAD_LEFT_TRIGGER},
    {SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 1, PAD_RIGHT_TRIGGER},
};

// Sources of a pad: its buttons by number, then each axis direction.
int axisSource(int axis, int sign)
{
    return SDL_CONTROLLER_BUTTON_MAX + axis * 2 + (sign > 0);
}

bool repeats(int key)
{
    return key >= KEY_LEFT && key <= KEY_DOWN;
}

HostEvent keyEvent(HostEvent::Type type, int key, bool repeat = false)
{
    HostEvent e;
    e.type = type;
    e.key = key;
    e.repeat = repeat;
    return e;
}

} // namespace

Gamepad::~Gamepad()
{
    for (auto& [id, pad] : pads)
        if (pad.controller)
            SDL_GameControllerClose(pad.controller);
    if (subsystem)
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void Gamepad::open()
{
    // Without a controller subsystem the game simply has no gamepad.
    subsystem = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

int Gamepad::keyOfButton(int button)
{
    for (const ButtonKey& b : BUTTON_KEYS)
        if (b.button == button)
            return b.key;
    return 0;
}

bool Gamepad::handle(const SDL_Event& e, uint32_t now, std::deque<HostEvent>& out)
{
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
        if (SDL_GameController* c = SDL_GameControllerOpen(e.cdevice.which)) {
            Pad& pad = pads[SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c))];
            if (pad.controller) // the pad is open already
                SDL_GameControllerClose(c);
            else
                pad.controller = c;
        }
        return true;
    case SDL_CONTROLLERDEVICEREMOVED:
        remove(e.cdevice.which, out);
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
        if (int key = keyOfButton(e.cbutton.button))
            press(pads[e.cbutton.which], e.cbutton.button, key, now, out);
        return true;
    case SDL_CONTROLLERBUTTONUP:
        release(pads[e.cbutton.which], e.cbutton.button, out);
        return true;
    case SDL_CONTROLLERAXISMOTION:
        axis(pads[e.caxis.which], e.caxis.axis, e.caxis.value, now, out);
        return true;
    default:
        return false;
    }
}

// Releases before presses: a stick flicked from one side to the other lets go first.
void Gamepad::axis(Pad& pad, int axis, int value, uint32_t now, std::deque<HostEvent>& out)
{
    for (const AxisKey& a : AXIS_KEYS)
        if (a.axis == axis && value * a.sign < RELEASE_BELOW)
            release(pad, axisSource(axis, a.sign), out);
    for (const AxisKey& a : AXIS_KEYS)
        if (a.axis == axis && value * a.sign >= PRESS_AT)
            press(pad, axisSource(axis, a.sign), a.key, now, out);
}

void Gamepad::press(Pad& pad, int source, int key, uint32_t now, std::deque<HostEvent>& out)
{
    if (!pad.held.emplace(source, key).second)
        return;
    if (holders[key]++ > 0) // the d-pad and the stick may hold one direction together
        return;
    out.push_back(keyEvent(HostEvent::KEY_DOWN, key));
    if (repeats(key))
        repeatAt[key] = now + REPEAT_DELAY_MS;
}

void Gamepad::release(Pad& pad, int source, std::deque<HostEvent>& out)
{
    auto it = pad.held.find(source);
    if (it == pad.held.end())
        return;
    int key = it->second;
    pad.held.erase(it);
    if (--holders[key] > 0)
        return;
    holders.erase(key);
    repeatAt.erase(key);
    out.push_back(keyEvent(HostEvent::KEY_UP, key));
}

void Gamepad::remove(SDL_JoystickID id, std::deque<HostEvent>& out)
{
    auto it = pads.find(id);
    if (it == pads.end())
        return;
    while (!it->second.held.empty())
        release(it->second, it->second.held.begin()->first, out);
    if (it->second.controller)
        SDL_GameControllerClose(it->second.controller);
    pads.erase(it);
}

void Gamepad::releaseAll(std::deque<HostEvent>& out)
{
    for (auto& [id, pad] : pads)
        while (!pad.held.empty())
            release(pad, pad.held.begin()->first, out);
}

void Gamepad::repeat(uint32_t now, std::deque<HostEvent>& out)
{
    for (auto& [key, at] : repeatAt)
        if (int32_t(now - at) >= 0) {
            out.push_back(keyEvent(HostEvent::KEY_DOWN, key, true));
            at = now + REPEAT_INTERVAL_MS;
        }
}

int Gamepad::msUntilRepeat(uint32_t now) const
{
    int soonest = -1;
    for (const auto& [key, at] : repeatAt) {
        int wait = std::max(0, int32_t(at - now));
        if (soonest < 0 || wait < soonest)
            soonest = wait;
    }
    return soonest;
}

} // namespace host
