// Key codes of the gamepad buttons that have no keyboard twin (the others give keyboard codes).
#pragma once

namespace host {

// Above 255, where no keyboard key lands, so the controls screen can bind them apart.
enum GamepadKey {
    PAD_X = 0x140,
    PAD_Y,
    PAD_LEFT_SHOULDER,
    PAD_RIGHT_SHOULDER,
    PAD_LEFT_TRIGGER,
    PAD_RIGHT_TRIGGER,
    PAD_LEFT_STICK,
    PAD_RIGHT_STICK,
};

} // namespace host
