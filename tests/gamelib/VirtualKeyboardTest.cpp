// The on-screen keyboard: the name is never longer than nine nor empty; taps and the held stylus.
#include "GameLibTestSupport.h"

#include "gamelib/VirtualKeyboard.h"
#include "lang/DString.h"

using namespace vela::lang;
using namespace gamelib;

namespace {

const int32_t KEY_RETURN = 13;
const int32_t KEY_BACKSPACE = 8, KEY_SOFT_LEFT = 10000, KEY_SOFT_RIGHT = 10001;

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
        for (int32_t code : codes) {
            canvas->keyPressed(code);
            canvas->takeKeyEvent();
            tick();
            canvas->keyReleased(code);
            canvas->takeKeyEvent();
            tick();
        }
    }
    int32_t cellX(int32_t cell) { return keyboard->gridX + (cell % 6) * keyboard->cellWidth + 1; }
    int32_t cellY(int32_t cell) { return keyboard->gridY + (cell / 6) * keyboard->cellHeight + 1; }
    void tapCell(int32_t cell)
    {
        FakeClock::now += VirtualKeyboard::INPUT_INTERVAL;
        canvas->pointerPressed(cellX(cell), cellY(cell));
        tick();
        canvas->pointerReleased(cellX(cell), cellY(cell));
    }
    std::string name() { return keyboard->text->toUtf8(); }

    FakeClock clock{5000};
    VirtualKeyboardPtr keyboard = new VirtualKeyboard();
};

}

TEST_F(VirtualKeyboardTest, TypedLettersAreUpperCasedTheNameStopsAtNineAndIsNeverEmpty)
{
    press({KEY_RETURN, KEY_SOFT_LEFT, KEY_BACKSPACE});
    tapCell(keyboard->okCell());
    EXPECT_FALSE(keyboard->done);
    EXPECT_EQ("", name());
    press({'a', 'B', ' ', '-', '1'});
    EXPECT_EQ("AB -", name());
    press({'Q', 'Q', 'Q', 'Q', 'Q', 'Q', 'Q', 'Q'});
    EXPECT_EQ("AB -QQQQQ", name());
    tapCell(29); // the delete cell
    press({KEY_SOFT_RIGHT, KEY_BACKSPACE});
    EXPECT_EQ("AB -QQ", name());
    press({KEY_RETURN});
    EXPECT_TRUE(keyboard->done);
}


TEST_F(VirtualKeyboardTest, TapsTypeNotTooSoonAndAHeldStylusTypesAgainEveryInputInterval)
{
    tapCell(7);
    EXPECT_EQ("H", name());
    canvas->pointerPressed(cellX(0), cellY(0)); // within the input interval of the last tap
    tick();
    canvas->pointerReleased(cellX(0), cellY(0));
    EXPECT_EQ("H", name());
    FakeClock::now += VirtualKeyboard::INPUT_INTERVAL;
    canvas->pointerPressed(cellX(0), cellY(0));
    tick();
    FakeClock::now += VirtualKeyboard::INPUT_INTERVAL - 1;
    tick();
    EXPECT_EQ("HA", name());
    FakeClock::now += 1;
    tick();
    EXPECT_EQ("HAA", name());
}
