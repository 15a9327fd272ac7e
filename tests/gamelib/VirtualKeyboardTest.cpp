// The on-screen keyboard: typing, the grid, the limits of the name, taps and the cursor.
#include "GameLibTestSupport.h"

#include "gamelib/GameContext.h"
#include "gamelib/VirtualKeyboard.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

using namespace vela::lang;
using namespace gamelib;
using vela::microedition::lcdui::DCanvas;

namespace {

class VirtualKeyboardTest : public CanvasTest {
protected:
    VirtualKeyboardTest() { keyboard->init(); }

    // One tick of the screen, as the scheduler runs it.
    void tick()
    {
        keyboard->tick();
        ScreenCanvas::tickSawPointer();
    }

    void press(std::initializer_list<int32_t> codes)
    {
        for (int32_t code : codes)
            press(code);
    }
    void press(int32_t code)
    {
        canvas->keyPressed(code);
        canvas->takeKeyEvent();
        tick();
        canvas->keyReleased(code);
        canvas->takeKeyEvent();
        tick();
    }
    void tapCell(int32_t cell)
    {
        FakeClock::now += VirtualKeyboard::INPUT_INTERVAL;
        int32_t x = keyboard->gridX + (cell % 6) * keyboard->cellWidth + 1;
        int32_t y = keyboard->gridY + (cell / 6) * keyboard->cellHeight + 1;
        canvas->pointerPressed(x, y);
        tick();
        canvas->pointerReleased(x, y);
    }
    std::string name() { return keyboard->text->toUtf8(); }

    FakeClock clock{5000};
    VirtualKeyboardPtr keyboard = new VirtualKeyboard();
};

const int32_t KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40, KEY_RETURN = 13;
const int32_t KEY_BACKSPACE = 8, KEY_SOFT_LEFT = 10000, KEY_SOFT_RIGHT = 10001;

}

TEST_F(VirtualKeyboardTest, GridHoldsTheAlphabetAndTwoCommandCells)
{
    EXPECT_EQ(28, keyboard->alphabet->length());
    EXPECT_EQ(5, keyboard->rows);
    EXPECT_EQ(6, keyboard->lastRowCells);
    EXPECT_EQ(28, keyboard->okCell());
    EXPECT_EQ((240 - 21 * 6) / 2, keyboard->gridX);
    EXPECT_EQ(keyboard->gridX + 5, keyboard->textX);
}

TEST_F(VirtualKeyboardTest, TypedLettersAreUpperCasedAndTheNameStopsAtNine)
{
    press({'a', 'B', ' ', '-', '1'});
    EXPECT_EQ("AB -", name());
    for (int i = 0; i < 8; ++i)
        press('Q');
    EXPECT_EQ("AB -QQQQQ", name());
    press(KEY_RETURN); // fire on the selected letter adds nothing more
    EXPECT_EQ("AB -QQQQQ", name());
}

TEST_F(VirtualKeyboardTest, EmptyNameIsNeverAccepted)
{
    press({KEY_RETURN, KEY_SOFT_LEFT, KEY_BACKSPACE});
    tapCell(28);
    EXPECT_FALSE(keyboard->done);
    EXPECT_EQ("", name());
    press({'Z', KEY_RETURN});
    EXPECT_TRUE(keyboard->done);
    EXPECT_EQ("Z", name());
}

TEST_F(VirtualKeyboardTest, ArrowsWrapAndFirePicksTheLetter)
{
    const std::pair<int32_t, int32_t> moves[] = {{KEY_LEFT, 5}, {KEY_UP, 29}, {KEY_RIGHT, 24}, {KEY_DOWN, 0}, {KEY_RIGHT, 1}};
    for (auto [key, selected] : moves) {
        press(key);
        EXPECT_EQ(selected, keyboard->selected) << key;
    }
    press(53); // "5": fire
    EXPECT_EQ("B", name());
}

TEST_F(VirtualKeyboardTest, DeleteCellSoftKeyAndBackspaceRemove)
{
    press({'A', 'B', 'C'});
    tapCell(29);
    EXPECT_EQ("AB", name());
    press(KEY_SOFT_RIGHT);
    EXPECT_EQ("A", name());
    press(KEY_BACKSPACE);
    EXPECT_EQ("", name());
}

TEST_F(VirtualKeyboardTest, TapsTypeOnlyInsideTheGridAndNotTooSoon)
{
    canvas->pointerPressed(0, 0);
    tick();
    canvas->pointerReleased(0, 0);
    tapCell(7);
    EXPECT_EQ("H", name());
    EXPECT_EQ(7, keyboard->selected);
    canvas->pointerPressed(keyboard->gridX + 1, keyboard->gridY + 1);
    tick();
    canvas->pointerReleased(0, 0);
    EXPECT_EQ("H", name());
    // A held stylus types again once the input interval has passed.
    FakeClock::now += VirtualKeyboard::INPUT_INTERVAL;
    canvas->pointerPressed(keyboard->gridX + 1, keyboard->gridY + 1);
    tick();
    FakeClock::now += VirtualKeyboard::INPUT_INTERVAL - 1;
    tick();
    EXPECT_EQ("HA", name());
    FakeClock::now += 1;
    tick();
    EXPECT_EQ("HAA", name());
    canvas->pointerReleased(0, 0);
    tapCell(28);
    EXPECT_TRUE(keyboard->done);
}
TEST_F(VirtualKeyboardTest, CursorBlinksEvery500Milliseconds)
{
    const bool shown = keyboard->cursorVisible;
    FakeClock::now += 499;
    tick();
    EXPECT_EQ(shown, keyboard->cursorVisible);
    FakeClock::now += 1;
    tick();
    EXPECT_NE(shown, keyboard->cursorVisible);
}

TEST_F(VirtualKeyboardTest, PaintFramesTheSelectedCell)
{
    auto g = GameContext::get().graphics;
    const uint16_t frame = ::host::toRgb565(0x555555);
    press(KEY_RIGHT);
    keyboard->paint(g, nullptr);
    ::host::Surface& back = canvas->backBuffer();
    const int32_t x = keyboard->gridX + keyboard->cellWidth, y = keyboard->gridY;
    EXPECT_EQ(frame, back.row(y)[x]);
    EXPECT_EQ(frame, back.row(y + keyboard->cellHeight - 1)[x + keyboard->cellWidth - 1]);
    EXPECT_NE(frame, back.row(y)[keyboard->gridX]);
}
