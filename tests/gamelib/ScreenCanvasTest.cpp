// The screen canvas: queued keys turned into action flags, pointer rules, resets, size changes.
#include "GameLibTestSupport.h"

#include "gamelib/GameContext.h"

#include <vector>

using namespace gamelib;
using vela::microedition::lcdui::DCanvas;

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

TEST_F(ScreenCanvasTest, KeysBecomeActionFlagsOnePerTick)
{
    struct Case { int32_t key; std::vector<int32_t> flags; };
    const Case cases[] = {
        {50, {0}},       // "2": up
        {56, {1}},       // "8": down
        {37, {2}},       // left arrow
        {13, {4}},       // Return: fire
        {10000, {9}},    // left soft key
        {10001, {10}},   // right soft key
        {-4, {13}},
        {-2, {0, 14}},
        {-3, {1, 15}},
        {10004, {}},     // star: action 11 has no flag
        {200, {}},       // unmapped
    };
    for (const Case& c : cases) {
        ScreenCanvas::resetInput();
        // A release alone never counts as a key pressed; a press counts at once.
        canvas->keyReleased(c.key);
        canvas->takeKeyEvent();
        EXPECT_FALSE(ScreenCanvas::anyKeyPressed) << c.key;
        canvas->keyPressed(c.key);
        EXPECT_TRUE(ScreenCanvas::anyKeyPressed) << c.key;
        EXPECT_EQ(std::vector<int32_t>{}, setActions()) << c.key;
        ScreenCanvas::anyKeyPressed = false;
        canvas->takeKeyEvent();
        EXPECT_EQ(c.flags, setActions()) << c.key;
        EXPECT_TRUE(ScreenCanvas::anyKeyPressed) << c.key;
        EXPECT_EQ(c.key, ScreenCanvas::lastKeyCode);
        canvas->keyReleased(c.key);
        canvas->takeKeyEvent();
        EXPECT_EQ(std::vector<int32_t>{}, setActions()) << c.key;
    }
}

TEST_F(ScreenCanvasTest, QueueKeepsOrderAndWhenOverfullTheFirst1023AndTheLast)
{
    canvas->keyPressed(1);
    canvas->keyPressed(2);
    canvas->takeKeyEvent();
    canvas->keyPressed(3);
    EXPECT_EQ((std::vector<int32_t>{2, 3}), drainCodes());
    for (int32_t i = 0; i < 1025; ++i)
        canvas->keyPressed(1000 + i);
    std::vector<int32_t> codes = drainCodes();
    ASSERT_EQ(1024u, codes.size());
    EXPECT_EQ(1000 + 1022, codes[1022]);
    EXPECT_EQ(1000 + 1024, codes[1023]);
}

TEST_F(ScreenCanvasTest, HiddenDigitsSetNoFlags)
{
    // A wrong key restarts the sequence.
    for (int32_t code : {52, 55, 57, 52, 55, 48, 51, 50, 53}) {
        canvas->keyPressed(code);
        canvas->keyReleased(code);
    }
    drainCodes();
    EXPECT_TRUE(ScreenCanvas::hiddenSequence.entered);
    EXPECT_EQ(25, ScreenCanvas::hiddenSequence.value);
    // "2" and "5" were taken as digits: up and fire were pressed only as releases.
    EXPECT_EQ(std::vector<int32_t>{}, setActions());
}

TEST_F(ScreenCanvasTest, PointerRules)
{
    canvas->keyPressed(50);
    canvas->takeKeyEvent();
    canvas->pointerPressed(10, 20);
    EXPECT_TRUE(ScreenCanvas::pointerDown);
    EXPECT_FALSE(ScreenCanvas::actions[DCanvas::UP]);
    EXPECT_FALSE(ScreenCanvas::anyKeyPressed);

    canvas->pointerPressed(30, 40); // already down: ignored
    EXPECT_EQ(10, ScreenCanvas::pointerX);

    canvas->pointerDragged(241, 50); // beyond the screen width: ignored
    EXPECT_FALSE(ScreenCanvas::pointerIsDragged);
    canvas->pointerDragged(240, 50);
    EXPECT_TRUE(ScreenCanvas::pointerIsDragged);
    EXPECT_EQ(10, ScreenCanvas::previousPointerX);
    EXPECT_EQ(240, ScreenCanvas::pointerX);

    ScreenCanvas::tickSawPointer();
    canvas->pointerReleased(100, 110);
    EXPECT_FALSE(ScreenCanvas::pointerDown);
    EXPECT_FALSE(ScreenCanvas::pointerIsDragged);
    EXPECT_EQ(100, ScreenCanvas::pointerX);

    canvas->pointerReleased(1, 1); // not down: ignored
    EXPECT_EQ(100, ScreenCanvas::pointerX);
    canvas->pointerDragged(5, 5); // not down: ignored
    EXPECT_FALSE(ScreenCanvas::pointerIsDragged);
}

TEST_F(ScreenCanvasTest, AClickBetweenTwoTicksWaitsForATickToSeeIt)
{
    canvas->pointerPressed(10, 20);
    canvas->pointerDragged(12, 22);
    canvas->pointerReleased(14, 24);
    EXPECT_TRUE(ScreenCanvas::pointerDown) << "no tick has seen the press yet";
    EXPECT_EQ(12, ScreenCanvas::pointerX);
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

TEST_F(ScreenCanvasTest, FullInputResetKeepsTheStylusDown)
{
    canvas->pointerPressed(5, 5);
    canvas->keyPressed(50);
    canvas->takeKeyEvent();
    canvas->keyPressed(56);
    ScreenCanvas::resetInput();
    EXPECT_TRUE(ScreenCanvas::pointerDown);
    EXPECT_EQ(0, ScreenCanvas::lastKeyCode);
    EXPECT_FALSE(ScreenCanvas::anyKeyPressed);
    EXPECT_TRUE(ScreenCanvas::keyQueue.isEmpty());
    EXPECT_EQ(std::vector<int32_t>{}, setActions());
}

TEST_F(ScreenCanvasTest, SizeChangeToAnUnsupportedSize)
{
    GameContext& context = GameContext::get();
    context.screenSupported = true;
    canvas->keyPressed(50);
    canvas->sizeChanged(240, 320);
    EXPECT_TRUE(context.screenSupported);
    EXPECT_FALSE(ScreenCanvas::keyQueue.isEmpty());

    canvas->sizeChanged(100, 100);
    EXPECT_FALSE(context.screenSupported);
    EXPECT_EQ(100, context.screenWidth);
    EXPECT_TRUE(ScreenCanvas::keyQueue.isEmpty());
}

TEST_F(ScreenCanvasTest, KeySetSelectionChangesTheActions)
{
    vela::lang::DObjectArrayPtr set = new vela::lang::DObjectArray(16);
    vela::lang::DintArrayPtr row = new vela::lang::DintArray(2);
    (*row)[0] = 87;
    (*row)[1] = -1;
    (*set)[DCanvas::UP] = row;
    canvas->addKeySet(1, set);
    canvas->keyPressed(87);
    canvas->keyPressed(50);
    canvas->takeKeyEvent();
    EXPECT_TRUE(ScreenCanvas::actions[DCanvas::UP]);
    ScreenCanvas::actions[DCanvas::UP] = false;
    canvas->takeKeyEvent();
    EXPECT_FALSE(ScreenCanvas::actions[DCanvas::UP]);
}
