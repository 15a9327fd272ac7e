// The engine: action queue and copies, tokens, the screen stack, pointer capture, painting.
#include <cstring>

#include "GUITestSupport.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

using namespace guilib;
using guitest::eventLog;
using guitest::EventLog;
using guitest::recordEvents;
using vela::lang::DString;
using vela::lang::DStringPtr;

namespace {

class GUIEngineTest : public guitest::GUITest { };

TEST_F(GUIEngineTest, QueueIsFirstInFirstOutWithChainsRightAfterTheirHead)
{
    EXPECT_EQ(engine().pollAction(), nullptr);
    GUIWidgetPtr w = makeWidget(1, 0, 0, 10, 10);
    GUIActionPtr head = w->addAction(100, 65536, 0, nullptr, nullptr);
    w->addAction(100, 65537, 0, nullptr, nullptr);
    w->addAction(101, 65538, 0, nullptr, nullptr);
    for (int32_t event : { 100, 101, 100 })
        w->handleEvent(event, false, nullptr, 0);
    for (int32_t type : { 65536, 65537, 65538, 65536, 65537 }) {
        GUIActionPtr a = engine().pollAction();
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->type, type);
        EXPECT_EQ(a->source, w);
        EXPECT_NE(a, head) << "the bound action itself is never queued";
    }
    EXPECT_EQ(engine().pollAction(), nullptr);
}

TEST_F(GUIEngineTest, EachFiringQueuesAnIndependentCopyWithItsOwnData)
{
    GUIWidgetPtr w = makeWidget(1, 0, 0, 10, 10);
    GUIActionPtr bound = w->addAction(200, 65536, 7, nullptr, nullptr);
    int32_t data[2] = { 11, 22 };
    w->handleEvent(200, false, data, sizeof data);
    data[0] = 33;
    w->handleEvent(200, false, data, sizeof data);
    GUIActionPtr first = engine().pollAction(), second = engine().pollAction();
    ASSERT_TRUE(first && second);
    EXPECT_NE(first->data.get(), second->data.get());
    EXPECT_EQ((std::vector<int32_t> { first->dataInt(0), first->dataInt(1), second->dataInt(0),
                  first->dataLength, first->event, first->param }),
        (std::vector<int32_t> { 11, 22, 33, 8, 200, 7 }));
    EXPECT_TRUE(bound->data == nullptr && bound->source == nullptr) << "the binding is untouched";
}

TEST_F(GUIEngineTest, CompletionRunsCallbackThenSoundAndUrlsGoToTheApplication)
{
    static int calls;
    calls = 0;
    GUIActionPtr a = new GUIAction(65536, 0, nullptr, [](GUIAction&) { ++calls; });
    a->sound = 3;
    a->soundLoop = true;
    a->soundParam = 5;
    engine().executeAction(a);
    engine().executeAction(nullptr);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(sound.calls, (std::vector<std::string> { "play 3 loop 5" }));
    execute(GUIAction::ACTION_OPEN_URL, 0, new DString(u"https://x.example/"));
    execute(GUIAction::ACTION_OPEN_URL);
    EXPECT_EQ(host.urls, (std::vector<std::string> { "https://x.example/" }));
}

TEST_F(GUIEngineTest, PushAndPopSendShownAndHiddenAndResetInput)
{
    GUIWidgetPtr screen = makeScreen(1);
    GUIWidgetPtr child = screen->addChild(makeWidget(2, 0, 0, 10, 10));
    recordEvents(screen, { GUIWidget::EVENT_SHOWN, GUIWidget::EVENT_HIDDEN });
    recordEvents(child, { GUIWidget::EVENT_SHOWN, GUIWidget::EVENT_HIDDEN });
    host.actions[4] = true;
    engine().pushScreen(screen);
    EXPECT_FALSE(host.actions[4]);
    EXPECT_EQ(engine().getTopScreen(), screen);
    EXPECT_TRUE(screen->hasState(GUIWidget::STATE_FOCUSED));
    engine().popScreen();
    EXPECT_EQ(engine().getTopScreen(), nullptr);
    engine().pushScreen(nullptr);
    drain();
    EXPECT_EQ(eventLog(), (EventLog { { 1, 7 }, { 2, 7 }, { 1, 6 }, { 2, 6 } }));
    EXPECT_EQ(host.resets, 2);
}

TEST_F(GUIEngineTest, ScreenActionsPushPopShowCloseAndExit)
{
    GUIWidgetPtr menu = makeScreen(1);
    GUIWidgetPtr popup = makeWidget(2, 10, 10, 50, 50);
    GUIWidgetPtr orphan = makeWidget(3, 0, 0, 5, 5);
    recordEvents(popup, { GUIWidget::EVENT_SHOWN, GUIWidget::EVENT_HIDDEN });
    recordEvents(orphan, { GUIWidget::EVENT_HIDDEN });
    recordEvents(menu, { GUIWidget::EVENT_HIDDEN });
    execute(GUIAction::ACTION_PUSH_SCREEN, 0, menu);
    EXPECT_EQ(engine().getTopScreen(), menu);
    execute(GUIAction::ACTION_SHOW_IN_TOP, 0, popup);
    EXPECT_EQ(popup->getParent(), menu);
    execute(GUIAction::ACTION_CLOSE_SCREEN, 0, popup);
    engine().closeScreen(orphan);
    EXPECT_EQ(popup->getParent(), nullptr);
    EXPECT_EQ(menu->getChildCount(0), 0);
    EXPECT_EQ(engine().getTopScreen(), menu) << "closing a child keeps the top";
    execute(GUIAction::ACTION_POP_SCREEN);
    EXPECT_EQ(engine().getTopScreen(), nullptr);
    execute(GUIAction::ACTION_POP_SCREEN);
    execute(GUIAction::ACTION_FOCUS_NEXT);
    // Exit hides every screen, top first, before the application is told.
    engine().pushScreen(menu);
    engine().pushScreen(orphan);
    execute(GUIAction::ACTION_EXIT);
    EXPECT_EQ(engine().getScreenCount(), 0);
    EXPECT_EQ(host.destroyed, 1);
    drain();
    EXPECT_EQ(eventLog(), (EventLog { { 2, 7 }, { 2, 6 }, { 1, 6 }, { 3, 6 }, { 1, 6 } }));
}

TEST_F(GUIEngineTest, SendAndVolumeActionsUseDataOnlyOfTheirOwnEvent)
{
    GUIWidgetPtr screen = makeScreen(1);
    engine().pushScreen(screen);
    GUIWidgetPtr sender = makeWidget(2, 0, 0, 10, 10);
    static int32_t sameEventData, otherEventLength, sourceEventLength;
    screen->setCallback(403, [](GUIAction& a) { sameEventData = a.dataInt(0); });
    screen->setCallback(502, [](GUIAction& a) { otherEventLength = a.dataLength; });
    sender->setCallback(501, [](GUIAction& a) { sourceEventLength = a.dataLength + 100; });
    sender->setAction(403, action(GUIAction::ACTION_SEND_TO_TOP));
    sender->setAction(402, action(GUIAction::ACTION_SEND_TO_TOP, 502));
    sender->setAction(401, action(GUIAction::ACTION_SEND_TO_SOURCE, 501));
    int32_t value = 9;
    otherEventLength = -1;
    for (int32_t event : { 403, 402, 401 })
        sender->handleEvent(event, false, &value, 4);
    drain();
    EXPECT_EQ(sameEventData, 9);
    EXPECT_EQ(otherEventLength, 0) << "another event code gets no data";
    EXPECT_EQ(sourceEventLength, 100);
    // Volumes follow value changes only.
    GUIWidgetPtr w = makeWidget(1, 0, 0, 10, 10);
    w->setAction(GUIWidget::EVENT_VALUE_CHANGED, action(GUIAction::ACTION_SET_SOUND_VOLUME));
    w->setAction(GUIWidget::EVENT_FIRE, action(GUIAction::ACTION_SET_MUSIC_VOLUME));
    w->setAction(300, action(GUIAction::ACTION_SET_MUSIC_VOLUME));
    value = 40;
    w->setState(GUIWidget::STATE_FOCUSED, true);
    w->handleEvent(GUIWidget::EVENT_VALUE_CHANGED, false, &value, 4);
    w->handleEvent(300, false, &value, 4);
    drain();
    EXPECT_EQ(sound.calls, (std::vector<std::string> { "sfx 40" }));
}

TEST_F(GUIEngineTest, ScrollActionsMoveTheSourceTargets)
{
    struct Case {
        int32_t type, param, targetX, targetY;
    };
    // A 100x100 client over 300x500 of content, scrolled to (50, 60) with its targets there.
    const Case cases[] = {
        { GUIAction::ACTION_SCROLL_UP, 7, 50, 53 },
        { GUIAction::ACTION_SCROLL_DOWN, 0, 50, 100 }, // an eighth of the 320-high screen
        { GUIAction::ACTION_SCROLL_LEFT, 0, 20, 60 }, // an eighth of 240
        { GUIAction::ACTION_SCROLL_RIGHT, 5, 55, 60 },
        { GUIAction::ACTION_SCROLL_TOP, 0, 50, 0 },
        { GUIAction::ACTION_SCROLL_BOTTOM, 0, 50, 400 },
        { GUIAction::ACTION_SCROLL_LEFT_END, 0, 0, 60 },
        { GUIAction::ACTION_SCROLL_RIGHT_END, 0, 200, 60 },
    };
    for (const Case& c : cases) {
        GUIWidgetPtr w = makeWidget(1, 0, 0, 100, 100);
        w->addChild(makeWidget(2, 0, 0, 300, 500));
        w->computeContentRect();
        w->setScrollPosition(50, 60);
        w->setScrollTarget(50, 60);
        execute(c.type, c.param, nullptr, w);
        EXPECT_EQ(std::make_pair(w->scrollTargetX, w->scrollTargetY),
            std::make_pair(c.targetX, c.targetY))
            << c.type;
    }
}

TEST_F(GUIEngineTest, TrackWithoutThumbPagesByWhichHalfIsPressed)
{
    GUIWidgetPtr list = makeWidget(1, 0, 0, 100, 80);
    recordEvents(list, { GUIWidget::EVENT_PAGE_UP, GUIWidget::EVENT_PAGE_DOWN });
    for (int32_t y : { 39, 40 }) {
        GUIActionPtr a = action(GUIAction::ACTION_TRACK_PAGE);
        int32_t point[2] = { 5, y };
        a->source = list;
        a->fire(nullptr, GUIWidget::EVENT_POINTER_HELD, point, sizeof point);
        a->fire(nullptr, GUIWidget::EVENT_POINTER_DRAGGED, point, sizeof point);
    }
    drain();
    drain();
    EXPECT_EQ(eventLog(), (EventLog { { 1, 13 }, { 1, 14 } }));
}

TEST_F(GUIEngineTest, PaintStartsAtTheTopmostFullScreenScreen)
{
    static std::vector<int32_t> painted;
    DGraphicsPtr g = vela::microedition::lcdui::DImage::createImage(240, 320)->getGraphics();
    GUIWidgetPtr under = makeScreen(1), menu = makeScreen(2);
    GUIWidgetPtr dialog = makeWidget(3, 20, 20, 100, 100);
    for (const GUIWidgetPtr& s : { under, menu, dialog })
        s->setPaintHook([](GUIWidget& w, const DGraphicsPtr&) {
            painted.push_back(w.id);
            return true;
        });
    const auto paint = [&](bool topOnly) {
        painted.clear();
        engine().paint(g, topOnly);
        return painted;
    };
    engine().pushScreen(dialog);
    EXPECT_EQ(paint(false), (std::vector<int32_t> { 3 })) << "a lone dialog is painted";
    engine().popScreen();
    for (const GUIWidgetPtr& s : { under, menu, dialog })
        engine().pushScreen(s);
    EXPECT_EQ(paint(false), (std::vector<int32_t> { 2, 3 }));
    EXPECT_EQ(paint(true), (std::vector<int32_t> { 3 }));
}

// Pointer capture: a screen with two overlapping children and a grandchild.
class GUIPointerTest : public guitest::GUITest {
protected:
    void SetUp() override
    {
        GUITest::SetUp();
        screen = makeScreen(1);
        screen->setClientRect(0, 0, 240, 320, false);
        first = screen->addChild(makeWidget(2, 10, 10, 100, 100));
        second = screen->addChild(makeWidget(3, 50, 50, 100, 100));
        inner = second->addChild(makeWidget(4, 10, 10, 20, 20));
        engine().pushScreen(screen);
    }
    GUIWidgetPtr screen, first, second, inner;
};

TEST_F(GUIPointerTest, OverlappingSiblingsAreWonByTheEarliestAndDeepestWidget)
{
    struct Case {
        int32_t x, y, captor;
    };
    // first spans 10..110, second 50..150 with inner at 60..80; 115 is past first's end.
    const Case cases[] = { { 70, 70, 2 }, { 65, 65, 2 }, { 125, 125, 3 }, { 145, 145, 3 },
        { 115, 115, 3 }, { 140, 60, 3 }, { 200, 300, 1 } };
    for (const Case& c : cases)
        EXPECT_EQ(tap(c.x, c.y)->id, c.captor) << c.x << "," << c.y;
    first->setState(GUIWidget::STATE_VISIBLE, false);
    EXPECT_EQ(tap(65, 65), inner) << "a grandchild inside its parent takes the press";
    EXPECT_EQ(tap(130, 130), second);
}

TEST_F(GUIPointerTest, CaptureHoldsThroughTheGestureAndReleaseClearsItsStates)
{
    recordEvents(first,
        { GUIWidget::EVENT_POINTER_PRESSED, GUIWidget::EVENT_POINTER_HELD,
            GUIWidget::EVENT_POINTER_DRAGGED });
    press(20, 20);
    dragTo(200, 200);
    EXPECT_EQ(engine().getPointerCapture(), first);
    EXPECT_TRUE(first->hasState(GUIWidget::STATE_DRAGGED | GUIWidget::STATE_PRESSED));
    release();
    EXPECT_EQ(engine().getPointerCapture(), nullptr);
    EXPECT_FALSE(
        first->hasState(GUIWidget::STATE_DRAGGED) || first->hasState(GUIWidget::STATE_PRESSED));
    EXPECT_EQ(eventLog(), (EventLog { { 2, 4 }, { 2, 5 }, { 2, 17 }, { 2, 5 } }));
}

TEST_F(GUIPointerTest, PointerEventDataIsRelativeToTheWidget)
{
    static int32_t pressData[2], dragData[4];
    inner->setClientRect(2, 3, 10, 10, false);
    inner->setCallback(GUIWidget::EVENT_POINTER_PRESSED,
        [](GUIAction& a) { std::memcpy(pressData, a.data.get(), sizeof pressData); });
    inner->setCallback(GUIWidget::EVENT_POINTER_DRAGGED, [](GUIAction& a) {
        ASSERT_EQ(a.dataLength, 16);
        std::memcpy(dragData, a.data.get(), sizeof dragData);
    });
    first->setState(GUIWidget::STATE_VISIBLE, false);
    press(65, 66);
    EXPECT_EQ(engine().getPointerCapture(), inner);
    EXPECT_EQ(std::vector<int32_t>(pressData, pressData + 2), (std::vector<int32_t> { 5, 6 }));
    dragTo(70, 80);
    // Drag points are relative to the client origin (62, 63).
    EXPECT_EQ(std::vector<int32_t>(dragData, dragData + 4), (std::vector<int32_t> { 3, 3, 8, 17 }));
}

} // namespace
