// A gamepad through SDL's game-controller layer, driven by SDL's virtual joystick.
#include "EventText.h"
#include "host/Gamepad.h"

#include <gtest/gtest.h>

#include <deque>

namespace {

class GamepadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
        gamepad.open();
        int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                              SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(index, 0) << SDL_GetError();
        ASSERT_TRUE(SDL_IsGameController(index)) << "the controller database knows it";
        joystick = SDL_JoystickOpen(index);
        ASSERT_TRUE(joystick);
        events(0);
    }
    void TearDown() override
    {
        if (joystick) {
            SDL_JoystickClose(joystick);
            SDL_JoystickDetachVirtual(0);
        }
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }

    // What SDL reports after the changes, turned into key events at `now`, as text.
    std::string events(uint32_t now)
    {
        SDL_JoystickUpdate();
        std::deque<host::HostEvent> out;
        for (SDL_Event e; SDL_PollEvent(&e);)
            gamepad.handle(e, now, out);
        std::string text;
        for (const host::HostEvent& e : out)
            text += describe(e);
        return text;
    }
    std::string button(int b, bool down, uint32_t now = 0)
    {
        SDL_JoystickSetVirtualButton(joystick, b, down);
        return events(now);
    }
    std::string axis(int a, int value)
    {
        SDL_JoystickSetVirtualAxis(joystick, a, Sint16(value));
        return events(0);
    }

    host::Gamepad gamepad;
    SDL_Joystick* joystick = nullptr;
};

TEST_F(GamepadTest, ButtonsAndSticksBecomeKeys)
{
    const struct { int button; const char* seen; } buttons[] = {
        {SDL_CONTROLLER_BUTTON_A, "down13 up13 "},         {SDL_CONTROLLER_BUTTON_B, "down27 up27 "},
        {SDL_CONTROLLER_BUTTON_START, "down112 up112 "},   {SDL_CONTROLLER_BUTTON_BACK, "down113 up113 "},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, "down38 up38 "},   {SDL_CONTROLLER_BUTTON_DPAD_LEFT, "down37 up37 "},
        {SDL_CONTROLLER_BUTTON_X, "down320 up320 "},       {SDL_CONTROLLER_BUTTON_RIGHTSTICK, "down327 up327 "},
        {SDL_CONTROLLER_BUTTON_GUIDE, ""},
    };
    for (const auto& b : buttons) {
        std::string seen = button(b.button, true);
        EXPECT_EQ(seen + button(b.button, false), b.seen) << b.button;
    }
    const struct { int axis, value; const char* seen; } moves[] = {
        {SDL_CONTROLLER_AXIS_LEFTY, 20000, "down40 "}, {SDL_CONTROLLER_AXIS_LEFTY, 13000, ""},
        {SDL_CONTROLLER_AXIS_LEFTY, -20000, "up40 down38 "}, {SDL_CONTROLLER_AXIS_LEFTY, 0, "up38 "},
        // the virtual device's triggers span the whole raw range: its lowest value is "let go"
        {SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767, "down324 "}, {SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768, "up324 "},
        {SDL_CONTROLLER_AXIS_RIGHTX, 32767, ""},
    };
    for (const auto& m : moves)
        EXPECT_EQ(axis(m.axis, m.value), m.seen) << m.axis << " at " << m.value;
}

} // namespace
