// Game controllers as keys: SDL's controller events become the keyboard's virtual-key codes.
#pragma once

#include "host/HostEvent.h"

#include <SDL.h>

#include <cstdint>
#include <deque>
#include <map>

namespace host {

class Gamepad {
public:
    // A held direction repeats like a desktop keyboard's key by default.
    static const uint32_t REPEAT_DELAY_MS = 500;
    static const uint32_t REPEAT_INTERVAL_MS = 33;
    // How far a stick or trigger must go to press, and come back to release.
    static const int PRESS_AT = 16000;
    static const int RELEASE_BELOW = 12000;

    Gamepad() = default;
    Gamepad(const Gamepad&) = delete;
    Gamepad& operator=(const Gamepad&) = delete;
    ~Gamepad();

    // Controllers plugged in before and after start (SDL's game-controller subsystem).
    void open();
    // False when the event is not a controller's; the key events it makes go to `out`.
    bool handle(const SDL_Event& e, uint32_t now, std::deque<HostEvent>& out);
    // The repeats of held directions that are due by `now`.
    void repeat(uint32_t now, std::deque<HostEvent>& out);
    // Milliseconds until the next repeat, or -1 when no direction is held.
    int msUntilRepeat(uint32_t now) const;
    // Lets go of everything held (the window lost the focus).
    void releaseAll(std::deque<HostEvent>& out);

    // The key of a button, or 0 for a button the game never sees.
    static int keyOfButton(int button);

private:
    struct Pad {
        SDL_GameController* controller = nullptr;
        std::map<int, int> held; // source (button, or axis direction) to its key
    };

    void press(Pad& pad, int source, int key, uint32_t now, std::deque<HostEvent>& out);
    void release(Pad& pad, int source, std::deque<HostEvent>& out);
    void axis(Pad& pad, int axis, int value, uint32_t now, std::deque<HostEvent>& out);
    void remove(SDL_JoystickID id, std::deque<HostEvent>& out);

    bool subsystem = false;
    std::map<SDL_JoystickID, Pad> pads;
    std::map<int, int> holders;       // key to the number of sources holding it
    std::map<int, uint32_t> repeatAt; // held directions and when they repeat next
};

} // namespace host
