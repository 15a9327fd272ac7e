// The on-screen keyboard: typing, the grid, the limits of the name, taps and the cursor.
#include "GameLibTestSupport.h"

#include "gamelib/GameContext.h"
#include "gamelib/VirtualKeyboard.h"
#include "lang/DString.h"
#include "lang/HostHooks.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

using namespace vela::lang;
using vela::microedition::lcdui::DCanvas;

namespace {

uint64_t now = 0;
uint64_t testTicks()
{
    return now;
}

class VirtualKeyboardTest : public CanvasTest {
protected:
    VirtualKeyboardTest()
    {
        now = 5000;
        vela::lang::host::setTickSource(testTicks);
        keyboard->init();
    }
    ~VirtualKeyboardTest() override { vela::lang::host::setTickSource(nullptr); }

    void press(int32_t code)
    {
        canvas->keyPressed(code);
        canvas->takeKeyEvent();
        keyboard->tick();
        canvas->keyReleased(code);
        canvas->takeKeyEvent();
        keyboard->tick();
    }
    void tapCell(int32_t cell)
    {
        now += VirtualKeyboard::INPUT_INTERVAL;
        int32_t x = keyboard->gridX + (cell % 6) * keyboard->cellWidth + 1;
        int32_t y = keyboard->gridY + (cell / 6) * keyboard->cellHeight + 1;
        canvas->pointerPressed(x, y);
        keyboard->tick();
        canvas->pointerReleased(x, y);
    }
    std::string name() { return keyboard->text->toUtf8(); }

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

TEST_F(VirtualKeyboardTest, TypedLettersAreUpperCasedAndOthersIgnored)
{
    press('a');
    press('B');
    press(' ');
    press('-');
    press('1');
    EXPECT_EQ("AB -", name());
}

TEST_F(VirtualKeyboardTest, NameStopsAtNineCharacters)
{
    for (int i = 0; i < 12; ++i)
        press('Q');
    EXPECT_EQ("QQQQQQQQQ", name());
    press(KEY_RETURN); // fire on the selected letter adds nothing more
    EXPECT_EQ("QQQQQQQQQ", name());
}

TEST_F(VirtualKeyboardTest, EmptyNameIsNeverAccepted)
{
    press(KEY_RETURN);
    press(KEY_SOFT_LEFT);
    press(KEY_BACKSPACE);
    tapCell(28);
    EXPECT_FALSE(keyboard->done);
    EXPECT_EQ("", name());
    press('Z');
    press(KEY_RETURN);
    EXPECT_TRUE(keyboard->done);
    EXPECT_EQ("Z", name());
}

TEST_F(VirtualKeyboardTest, ArrowsWrapAndFirePicksTheLetter)
{
    press(KEY_LEFT);
    EXPECT_EQ(5, keyboard->selected);
    press(KEY_UP);
    EXPECT_EQ(29, keyboard->selected);
    press(KEY_RIGHT);
    EXPECT_EQ(24, keyboard->selected);
    press(KEY_DOWN);
    EXPECT_EQ(0, keyboard->selected);
    press(KEY_RIGHT);
    press(53); // "5": fire
    EXPECT_EQ("B", name());
}

TEST_F(VirtualKeyboardTest, DeleteCellSoftKeyAndBackspaceRemove)
{
    press('A');
    press('B');
    press('C');
    tapCell(29);
    EXPECT_EQ("AB", name());
    press(KEY_SOFT_RIGHT);
    EXPECT_EQ("A", name());
    press(KEY_BACKSPACE);
    EXPECT_EQ("", name());
}

TEST_F(VirtualKeyboardTest, TapOnALetterTypesIt)
{
    tapCell(7);
    EXPECT_EQ("H", name());
    EXPECT_EQ(7, keyboard->selected);
    tapCell(28);
    EXPECT_TRUE(keyboard->done);
}

TEST_F(VirtualKeyboardTest, TapsOutsideTheGridAndTooSoonAreIgnored)
{
    canvas->pointerPressed(0, 0);
    keyboard->tick();
    canvas->pointerReleased(0, 0);
    tapCell(0);
    EXPECT_EQ("A", name());
    canvas->pointerPressed(keyboard->gridX + 1, keyboard->gridY + 1);
    keyboard->tick();
    canvas->pointerReleased(0, 0);
    EXPECT_EQ("A", name());
}

TEST_F(VirtualKeyboardTest, HeldStylusTypesAgainEveryInputInterval)
{
    now += VirtualKeyboard::INPUT_INTERVAL;
    canvas->pointerPressed(keyboard->gridX + 1, keyboard->gridY + 1);
    keyboard->tick();
    now += VirtualKeyboard::INPUT_INTERVAL - 1;
    keyboard->tick();
    EXPECT_EQ("A", name());
    now += 1;
    keyboard->tick();
    EXPECT_EQ("AA", name());
}

TEST_F(VirtualKeyboardTest, CursorBlinksEvery500Milliseconds)
{
    const bool shown = keyboard->cursorVisible;
    now += 499;
    keyboard->tick();
    EXPECT_EQ(shown, keyboard->cursorVisible);
    now += 1;
    keyboard->tick();
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
