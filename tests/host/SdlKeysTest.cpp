// SDL keys to the handheld's virtual-key codes.
#include "host/SdlKeys.h"

#include <gtest/gtest.h>

namespace {

TEST(SdlKeys, DesktopKeysBecomeVirtualKeyCodes)
{
    const struct { SDL_Keycode sym; int vk; } cases[] = {
        {SDLK_LEFT, 37},    {SDLK_UP, 38},       {SDLK_RIGHT, 39},    {SDLK_DOWN, 40},   {SDLK_RETURN, 13},
        {SDLK_KP_ENTER, 13}, {SDLK_ESCAPE, 27},  {SDLK_BACKSPACE, 8}, {SDLK_TAB, 9},     {SDLK_SPACE, 32},
        {SDLK_0, 48},       {SDLK_9, 57},        {SDLK_a, 65},        {SDLK_z, 90},      {SDLK_F1, 112},
        {SDLK_F12, 123},    {SDLK_INSERT, 45},   {SDLK_DELETE, 46},   {SDLK_HOME, 36},   {SDLK_END, 35},
        {SDLK_PAGEUP, 33},  {SDLK_PAGEDOWN, 34}, {SDLK_KP_0, 48},     {SDLK_KP_7, 55},   {SDLK_KP_9, 57},
        {SDLK_PAUSE, 19},   {SDLK_KP_DIVIDE, 111}, {SDLK_F13, 0},     {SDLK_MENU, 0},    {SDLK_UNKNOWN, 0},
        {SDLK_LSHIFT, 0},   {SDLK_RCTRL, 0},     {SDLK_LALT, 0},      {SDLK_RALT, 0},    {SDLK_LGUI, 0},
        {SDLK_CAPSLOCK, 0}, {SDLK_NUMLOCKCLEAR, 0}, {SDLK_SCROLLLOCK, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(host::virtualKeyOf(c.sym), c.vk) << SDL_GetKeyName(c.sym);
}

} // namespace
