// The screen canvas: queued keys turned into action flags one per tick, the queue's bound,
// hidden digits and a click between two ticks.
#include "GameLibTestSupport.h"

#include <vector>

using namespace gamelib;

namespace {

class ScreenCanvasTest : public CanvasTest {
protected:
    // Takes events until the queue is empty; returns the codes seen.
    std::vector<int32_t> drainCodes()
    {
        std::vector<int32_t> codes;
        while (!ScreenCanvas::keyQueue.isEmpty()) {
            canvas->takeKeyEvent();
            codes.push_back(ScreenCanvas::lastKeyCode);
        }
        return codes;
    }
    std::vector<int32_t> setActions() const
    {
        std::vector<int32_t> set;
        for (int32_t a = 0; a < ScreenCanvas::ACTION_COUNT; ++a)
            if (ScreenCanvas::actions[a])
                set.push_back(a);
        return set;
    }
};

}

TEST_F(ScreenCanvasTest, AnOverfullQueueKeepsTheFirst1023AndTheLastAndHiddenDigitsSetNoFlags)
{
    for (int32_t i = 0; i < 1025; ++i)
        canvas->keyPressed(1000 + i);
    std::vector<int32_t> codes = drainCodes();
    ASSERT_EQ(1024u, codes.size());
    EXPECT_EQ(std::make_pair(1000 + 1022, 1000 + 1024), std::make_pair(codes[1022], codes[1023]));
    for (int32_t code : {52, 55, 57, 52, 55, 48, 51, 50, 53}) { // a wrong key restarts the sequence
        canvas->keyPressed(code);
        canvas->keyReleased(code);
    }
    drainCodes();
    EXPECT_TRUE(ScreenCanvas::hiddenSequence.entered);
    EXPECT_EQ(25, ScreenCanvas::hiddenSequence.value);
    EXPECT_EQ(std::vector<int32_t>{}, setActions()) << "\"2\" and \"5\" were taken as digits";
}

TEST_F(ScreenCanvasTest, AClickBetweenTwoTicksWaitsForATickToSeeIt)
{
    canvas->pointerPressed(10, 20);
    canvas->pointerDragged(12, 22);
    canvas->pointerReleased(14, 24);
    EXPECT_TRUE(ScreenCanvas::pointerDown) << "no tick has seen the press yet";
    ScreenCanvas::tickSawPointer();
    EXPECT_FALSE(ScreenCanvas::pointerDown);
    EXPECT_EQ(14, ScreenCanvas::pointerX);
    // A reader that ended the gesture drops its waiting release: it must not end the next press.
    canvas->pointerPressed(50, 60);
    canvas->pointerReleased(51, 61);
    ScreenCanvas::resetActionFlags();
    canvas->pointerPressed(70, 80);
    ScreenCanvas::tickSawPointer();
    EXPECT_TRUE(ScreenCanvas::pointerDown);
    EXPECT_EQ(70, ScreenCanvas::pointerX);
}

