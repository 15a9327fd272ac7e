// Looks: animation drawing and tiling, look selection by state score, pending transitions.
#include "GUITestAssets.h"
#include "GUITestSupport.h"
#include "guilib/GUIAnimation.h"
#include "util/DHashtable.h"
#include "util/DVector.h"

using namespace guilib;
using namespace guitest;
using namespace gamelib;

namespace {

class GUILooksTest : public GUITest {
protected:
    DImagePtr target = solidImage(64, 64, 0x000000);
    DGraphicsPtr g = target->getGraphics();
};

TEST_F(GUILooksTest, TiledImagesAndRectanglesCoverTheirAreaAndRestoreTheGraphics)
{
    // A 16x16 tile whose top-left pixel is red marks where each copy starts.
    DImagePtr tile = solidImage(16, 16, 0x0000FF);
    DGraphicsPtr tileGraphics = tile->getGraphics();
    tileGraphics->setColor(0xFF0000);
    tileGraphics->fillRect(0, 0, 1, 1);
    GUIAnimationPtr look = new GUIAnimation(tile);
    look->drawTiled(g, 0, 0, 40, 20, false);
    EXPECT_EQ(countPixels(target, RED565), 6);
    for (int32_t y : { 0, 16 })
        for (int32_t x : { 0, 16, 32 })
            EXPECT_EQ(pixelAt(target, x, y), RED565) << x << "," << y;
    EXPECT_EQ(countPixels(target, BLUE565), 40 * 20 - 6);
    EXPECT_EQ(g->getClipWidth(), 64) << "the clip is restored";
    GUIAnimationPtr none = new GUIAnimation(-1, -1);
    none->drawTiled(g, 0, 0, 30, 30, false);
    EXPECT_EQ(countPixels(target, 0), 64 * 64 - 40 * 20) << "no colours: nothing drawn";
    GUIAnimationPtr filled = new GUIAnimation(0xFF0000, -1);
    filled->drawTiled(g, 2, 3, 10, 5, false);
    EXPECT_EQ(countPixels(target, RED565), 6 + 9 * 4) << "a filled rectangle is one less";
    g->setColor(0x00FF00);
    GUIAnimationPtr outlined = new GUIAnimation(-1, 0x0000FF);
    outlined->drawTiled(g, 20, 20, 10, 10, false);
    EXPECT_EQ(pixelAt(target, 20, 20), BLUE565);
    EXPECT_EQ(pixelAt(target, 29, 29), BLUE565);
    EXPECT_EQ(pixelAt(target, 25, 25), 0);
    EXPECT_EQ(g->getColor(), 0x00FF00) << "the colour is put back";
}

TEST_F(GUILooksTest, NonLoopingAnimationFinishesOnItsLastFrame)
{
    GUIAnimationPtr once = new GUIAnimation(testSprites(3), 0, false);
    GUIAnimationPtr looping = new GUIAnimation(testSprites(3), 0, true);
    for (int32_t expected : { 1, 2, 2, 2 }) {
        once->drawAndAdvance(g, 0, 0);
        looping->drawAndAdvance(g, 0, 0);
        EXPECT_EQ(once->frame, expected);
    }
    EXPECT_TRUE(once->isFinished());
    EXPECT_FALSE(looping->isFinished());
    EXPECT_EQ(looping->frame, 1) << "1, 2, 0, 1";
}

TEST_F(GUILooksTest, AnimationSizesOffsetsAndFrameRects)
{
    GUIAnimationPtr a = new GUIAnimation(testSprites(3, -4, 2), 0, false);
    EXPECT_EQ(a->getFrameSize().x, 8);
    EXPECT_EQ(a->getBoundsSize().x, 10);
    EXPECT_EQ(a->getFrameOffset().x, -4);
    EXPECT_EQ(a->getFrameRect(1), (GUIRect { 2, 3, 4, 5 }));
    EXPECT_EQ(a->getFrameRect(7), (GUIRect {}));
    GUIAnimationPtr image = new GUIAnimation(solidImage(5, 6, 0xFFFFFF));
    EXPECT_EQ(image->getBoundsSize().y, 6);
    EXPECT_TRUE(image->isFinished());
    // Drawn with its frame offset, the all-frame corner lands offset from the point.
    a->draw(g, 20, 20, true);
    EXPECT_EQ(pixelAt(target, 16, 22), GREEN565);
    EXPECT_EQ(pixelAt(target, 15, 22), 0);
}

TEST_F(GUILooksTest, TilingStepsTheAnimationOnceOnlyWhenItDrawsAndEndsWithoutSize)
{
    GUIAnimationPtr empty = new GUIAnimation(testSprites(0), 0, true);
    empty->drawTiled(g, 0, 0, 40, 40, false);
    GUIAnimationPtr missing = new GUIAnimation(new ImageManager(), 3, true);
    missing->drawTiled(g, 0, 0, 40, 40, true);
    EXPECT_EQ(countPixels(target, 0), 64 * 64);
    GUIAnimationPtr looping = new GUIAnimation(testSprites(3), 0, true);
    looping->setFrame(1);
    for (GUIRect empty : { GUIRect { 0, 0, 0, 20 }, GUIRect { 0, 0, 20, 0 } }) {
        looping->drawTiled(g, empty.x, empty.y, empty.width, empty.height, false);
        EXPECT_EQ(looping->frame, 1) << "nothing was shown";
    }
    looping->drawTiled(g, 0, 0, 40, 40, false);
    EXPECT_EQ(looping->frame, 2) << "one step for all tiles";
    looping->drawTiled(g, 0, 0, 8, 8, false);
    EXPECT_EQ(looping->frame, 0) << "a loop starts over";
}

TEST_F(GUILooksTest, LooksAreChosenByTheBestMatchingStateAndRedefinitionReplaces)
{
    GUIWidgetPtr w = makeWidget(1, 0, 0, 10, 10);
    GUIAnimationPtr plain = new GUIAnimation(1, -1), focused = new GUIAnimation(2, -1);
    GUIAnimationPtr pressedFocused = new GUIAnimation(3, -1);
    const int32_t both = GUIWidget::STATE_FOCUSED | GUIWidget::STATE_PRESSED;
    w->setLook(8, new GUIAnimation(4, -1), 0, 0);
    w->setLook(8, plain, 0, 0);
    w->setLook(8, focused, GUIWidget::STATE_FOCUSED, GUIWidget::STATE_FOCUSED);
    w->setLook(8, pressedFocused, both, both);
    w->setLook(9, plain, 0, 0);
    EXPECT_EQ(vela::lang::ptrCast<vela::util::DVector>(w->lookDefinitions->get(8))->size(), 3)
        << "a redefinition keeps only the later entry";
    w->handleEvent(GUIWidget::EVENT_SHOWN, false, nullptr, 0);
    EXPECT_EQ(w->getLook(8), plain) << "ties keep the first entry";
    w->setState(GUIWidget::STATE_FOCUSED, true);
    EXPECT_EQ(w->getLook(8), focused);
    w->setState(GUIWidget::STATE_PRESSED, true);
    EXPECT_EQ(w->getLook(8), pressedFocused);
    EXPECT_EQ(w->getLook(9), plain);
    w->setState(GUIWidget::STATE_FOCUSED, false);
    EXPECT_EQ(w->getLook(8), pressedFocused) << "agrees on the pressed bit: scores 1";
    w->setLook(9, GUIAnimationPtr(), 0, 0);
    w->selectLooks(false);
    EXPECT_EQ(w->getLook(9), nullptr);
}

TEST_F(GUILooksTest, TransitionDelaysTheStateChangeUntilItHasPlayedOrForeverWhenLooping)
{
    GUIWidgetPtr screen = makeWidget(1, 0, 0, 64, 64);
    GUIWidgetPtr button = screen->addChild(makeWidget(2, 0, 0, 30, 20));
    button->setLook(8, new GUIAnimation(0x202020, -1), 0, 0);
    GUIAnimationPtr flash = new GUIAnimation(testSprites(3), 0, false);
    button->setLook(
        8, flash, GUIWidget::STATE_FOCUSED, GUIWidget::STATE_FOCUSED | GUIWidget::TRANSITION_BIT);
    recordEvents(button, { 22 });
    engine().pushScreen(screen);
    button->setState(GUIWidget::STATE_FOCUSED, true);
    EXPECT_TRUE(button->isStatePending());
    EXPECT_EQ(button->getLook(8), flash);
    int paints = 0;
    for (; button->isStatePending() && paints < 10; ++paints)
        screen->paint(g, 0, 0, 64, 64);
    drain();
    EXPECT_EQ(paints, 3) << "three frames, applied after the last one";
    EXPECT_EQ(eventLog(), (EventLog { { 2, 22 } }));
    EXPECT_FALSE(flash->isFinished()) << "transitions are reset when applied";
    EXPECT_EQ(flash->frame, 0);
    GUIWidgetPtr w = makeWidget(1, 0, 0, 30, 20);
    w->setLook(8, new GUIAnimation(testSprites(2), 0, true), GUIWidget::STATE_FOCUSED,
        GUIWidget::STATE_FOCUSED | GUIWidget::TRANSITION_BIT);
    w->setState(GUIWidget::STATE_FOCUSED, true);
    for (int i = 0; i < 5; ++i)
        w->paint(g, 0, 0, 64, 64);
    EXPECT_TRUE(w->isStatePending());
    w->setStateNow(GUIWidget::STATE_FOCUSED, true);
    EXPECT_TRUE(w->hasState(GUIWidget::STATE_FOCUSED));
}

TEST_F(GUILooksTest, FitToBackgroundSizesTheClientAreaToItsLook)
{
    GUIWidgetPtr w = makeWidget(1, 0, 0, 100, 100);
    w->setClientRect(2, 2, 96, 96, false);
    w->setFitToBackground(true);
    w->setLook(8, new GUIAnimation(solidImage(20, 10, 0xFFFFFF)), 0, 0);
    w->selectLooks(false);
    EXPECT_EQ(w->getBounds(), (GUIRect { 0, 0, 24, 14 }));
    EXPECT_EQ(w->getClientRect(), (GUIRect { 2, 2, 20, 10 }));
}

TEST_F(GUILooksTest, PaintDrawsBackgroundClientBorderAndClippedChildren)
{
    GUIWidgetPtr screen = makeWidget(1, 0, 0, 64, 64);
    screen->setClientRect(4, 4, 56, 56, false);
    screen->setLook(9, new GUIAnimation(0x0000FF, -1), 0, 0);
    screen->setLook(8, new GUIAnimation(0xFF0000, -1), 0, 0);
    GUIWidgetPtr child = screen->addChild(makeWidget(2, 50, 50, 20, 20));
    child->setLook(8, new GUIAnimation(0x00FF00, -1), 0, 0);
    engine().pushScreen(screen);
    engine().paint(g, false);
    EXPECT_EQ(pixelAt(target, 1, 1), BLUE565);
    EXPECT_EQ(pixelAt(target, 10, 10), RED565);
    EXPECT_EQ(pixelAt(target, 4 + 50, 4 + 50), GREEN565);
    EXPECT_EQ(pixelAt(target, 61, 61), BLUE565) << "children are clipped to the client area";
    // Border pieces: corners 2x2 red (parts 0-3), edges green (parts 4-7).
    GUIWidgetPtr w = makeWidget(3, 10, 10, 40, 30);
    for (int32_t part = 0; part < 8; ++part)
        w->setLook(part,
            new GUIAnimation(
                solidImage(part < 4 ? 2 : 1, part < 4 ? 2 : 1, part < 4 ? 0xFF0000 : 0x00FF00)),
            0, 0);
    w->selectLooks(false);
    w->paintBorder(g, 10, 10, 40, 30);
    EXPECT_EQ(pixelAt(target, 10, 10), RED565);
    EXPECT_EQ(pixelAt(target, 51, 41), RED565) << "bottom-right corner at (x + w, y + h)";
    EXPECT_EQ(pixelAt(target, 12, 10), GREEN565) << "the top edge starts after the corner";
    const std::pair<int32_t, int32_t> edges[] = { { 49, 10 }, { 10, 20 }, { 50, 20 }, { 20, 40 } };
    for (auto [x, y] : edges)
        EXPECT_EQ(pixelAt(target, x, y), GREEN565) << x << "," << y;
}

} // namespace
