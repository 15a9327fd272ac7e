// The names of keys, as the controls screen shows them.
#include "microedition/lcdui/DCanvas.h"

#include "host/GamepadKeys.h"
#include "lang/DString.h"

#include <string>

namespace vela::microedition::lcdui {

namespace {

struct KeyName {
    int32_t code;
    const char* name;
};

const KeyName KEY_NAMES[] = {
    {8, "Backspace"}, {9, "Tab"}, {12, "Clear"}, {13, "Enter"},
    {16, "Shift"}, {17, "Ctrl"}, {18, "Alt"}, {19, "Pause"}, {20, "Caps Lock"},
    {27, "Esc"},
    {32, "Spacebar"}, {33, "Page Up"}, {34, "Page Down"}, {35, "End"}, {36, "Home"},
    {37, "Left"}, {38, "Up"}, {39, "Right"}, {40, "Down"},
    {45, "Insert"}, {46, "Delete"},
    {91, "Win L"}, {92, "Win R"}, {93, "App"},
    {106, "Num*"}, {107, "Num+"}, {109, "Num-"}, {110, "Num."}, {111, "Num/"},
    {144, "Num Lock"}, {145, "Scroll Lock"},
    {10000, "Soft L"}, {10001, "Soft R"}, {10002, "Action"}, {10003, "#"}, {10004, "*"},
    // Gamepad buttons without a keyboard twin.
    {host::PAD_X, "Pad X"}, {host::PAD_Y, "Pad Y"}, {host::PAD_LEFT_SHOULDER, "Pad LB"},
    {host::PAD_RIGHT_SHOULDER, "Pad RB"}, {host::PAD_LEFT_TRIGGER, "Pad LT"},
    {host::PAD_RIGHT_TRIGGER, "Pad RT"}, {host::PAD_LEFT_STICK, "Pad LS"},
    {host::PAD_RIGHT_STICK, "Pad RS"},
};

} // namespace

lang::DStringPtr DCanvas::getKeyName(int32_t code)
{
    std::string name;
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z'))
        name = std::string(1, char(code));
    else if (code >= 96 && code <= 105)
        name = "Numpad" + std::to_string(code - 96);
    else if (code >= 112 && code <= 123)
        name = "F" + std::to_string(code - 111);
    else {
        name = "KEY " + std::to_string(code);
        for (const KeyName& k : KEY_NAMES)
            if (k.code == code)
                name = k.name;
    }
    return new lang::DString(name.c_str());
}

} // namespace vela::microedition::lcdui
