// SDL key symbols to the handheld's virtual-key codes, by table.
#include "host/SdlKeys.h"

namespace host {

namespace {

struct KeyPair {
    SDL_Keycode sym;
    int vk;
};

// Shift, Ctrl, Alt and the lock keys are left out: they only change other keys, and as game keys
// Alt+Enter or Alt+Tab would count as "any key".
const KeyPair KEY_TABLE[] = {
    {SDLK_LEFT, 37},      {SDLK_UP, 38},         {SDLK_RIGHT, 39},     {SDLK_DOWN, 40},
    {SDLK_RETURN, 13},    {SDLK_KP_ENTER, 13},   {SDLK_ESCAPE, 27},    {SDLK_BACKSPACE, 8},
    {SDLK_TAB, 9},        {SDLK_SPACE, 32},      {SDLK_INSERT, 45},    {SDLK_DELETE, 46},
    {SDLK_HOME, 36},      {SDLK_END, 35},        {SDLK_PAGEUP, 33},    {SDLK_PAGEDOWN, 34},
    {SDLK_KP_0, 48},      {SDLK_KP_1, 49},       {SDLK_KP_2, 50},      {SDLK_KP_3, 51},
    {SDLK_KP_4, 52},      {SDLK_KP_5, 53},       {SDLK_KP_6, 54},      {SDLK_KP_7, 55},
    {SDLK_KP_8, 56},      {SDLK_KP_9, 57},       {SDLK_PAUSE, 19},     {SDLK_KP_MULTIPLY, 106},
    {SDLK_KP_PLUS, 107},  {SDLK_KP_MINUS, 109},  {SDLK_KP_PERIOD, 110}, {SDLK_KP_DIVIDE, 111},
};

} // namespace

int virtualKeyOf(SDL_Keycode sym)
{
    if (sym >= SDLK_0 && sym <= SDLK_9)
        return 48 + (sym - SDLK_0);
    if (sym >= SDLK_a && sym <= SDLK_z) // SDL reports letters lower-case whatever the shift
        return 65 + (sym - SDLK_a);
    if (sym >= SDLK_F1 && sym <= SDLK_F12)
        return 112 + (sym - SDLK_F1);
    for (const KeyPair& k : KEY_TABLE)
        if (k.sym == sym)
            return k.vk;
    return 0;
}

} // namespace host
