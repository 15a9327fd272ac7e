// The engine: action queue and copies, tokens, the screen stack, pointer capture, painting.
#include <cstring>

#include "GUITestSupport.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

using namespace gamelib;
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
    w->handleEvent(100, false, nullptr, 0);
    w->handleEvent(101, false, nullptr, 0);
    w->handleEvent(100, false, nullptr, 0);
    const int32_t expected[] = { 65536, 65537, 65538, 65536, 65537 };
    for (int32_t type : expected) {
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
    GUIActionPtr first = engine().pollAction();
    GUIActionPtr second = engine().pollAction();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first->data.get(), second->data.get());
    EXPECT_EQ(first->dataInt(0), 11);
    EXPECT_EQ(second->dataInt(0), 33);
    EXPECT_EQ(first->dataInt(1), 22);
    EXPECT_EQ(first->dataLength, 8);
    EXPECT_EQ(first->event, 200);
    EXPECT_EQ(first->param, 7);
    EXPECT_EQ(bound->data, nullptr);
    EXPECT_EQ(bound->source, nullptr);
}

TEST_F(GUIEngineTest, CompletionRunsCallbackThenSound)
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
    ASSERT_EQ(sound.calls.size(), 1u);
    EXPECT_EQ(sound.calls[0], "play 3 loop 5");
}

TEST_F(GUIEngineTest, TokensAreCaseInsensitiveAndNullRemoves)
{
    DStringPtr key = new DString(u"%Flag%");
    EXPECT_EQ(engine().getToken(key), nullptr);
    engine().putToken(key, nullptr);
    EXPECT_EQ(engine().tokens, nullptr) << "removing creates no table";
    DStringPtr value = new DString(u"x");
    engine().putToken(key, value);
    EXPECT_EQ(engine().getToken(new DString(u"%FLAG%")).get(), value.get());
    engine().putToken(new DString(u"%flag%"), nullptr);
    EXPECT_EQ(engine().getToken(key), nullptr);
}

TEST_F(GUIEngineTest, PushAndPopSendShownAndHiddenAndResetInput)
{
    GUIWidgetPtr screen = makeWidget(1, 0, 0, 240, 320);
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
    EXPECT_EQ(eventLog(), (EventLog{ { 1, 7 }, { 2, 7 }, { 1, 6 }, { 2, 6 } }));
    EXPECT_EQ(host.resets, 2);
}

TEST_F(GUIEngineTest, CloseScreenOfAChildRemovesItAndKeepsTheTop)
{
    GUIWidgetPtr screen = makeWidget(1, 0, 0, 240, 320);
    GUIWidgetPtr dialog = screen->addChild(makeWidget(2, 0, 0, 50, 50));
    GUIWidgetPtr orphan = makeWidget(3, 0, 0, 5, 5);
    engine().pushScreen(screen);
    recordEvents(dialog, { GUIWidget::EVENT_HIDDEN });
    recordEvents(orphan, { GUIWidget::EVENT_HIDDEN });
    engine().closeScreen(dialog);
    engine().closeScreen(orphan);
    drain();
    EXPECT_EQ(engine().getTopScreen(), screen);
    EXPECT_EQ(dialog->getParent(), nullptr);
    EXPECT_EQ(screen->getChildCount(0), 0);
    EXPECT_EQ(eventLog(), (EventLog{ { 2, 6 } }));
}

TEST_F(GUIEngineTest, ExitHidesEveryScreenBeforeTheApplicationIsTold)
{
    GUIWidgetPtr a = makeWidget(1, 0, 0, 240, 320);
    GUIWidgetPtr b = makeWidget(2, 0, 0, 240, 320);
    engine().pushScreen(a);
    engine().pushScreen(b);
    recordEvents(a, { GUIWidget::EVENT_HIDDEN });
    recordEvents(b, { GUIWidget::EVENT_HIDDEN });
    engine().executeAction(new GUIAction(GUIAction::ACTION_EXIT, 0, nullptr, nullptr));
    EXPECT_EQ(engine().getScreenCount(), 0);
    EXPECT_EQ(host.destroyed, 1);
    drain();
    EXPECT_EQ(eventLog(), (EventLog{ { 2, 6 }, { 1, 6 } }));
}

TEST_F(GUIEngineTest, OpenUrlHandsTheTextToTheApplication)
{
    engine().executeAction(
        new GUIAction(GUIAction::ACTION_OPEN_URL, 0, new DString(u"https://x.example/"), nullptr));
    engine().executeAction(new GUIAction(GUIAction::ACTION_OPEN_URL, 0, nullptr, nullptr));
    ASSERT_EQ(host.urls.size(), 1u);
    EXPECT_EQ(host.urls[0], "https://x.example/");
}

TEST_F(GUIEngineTest, VolumeActionsOnlyActOnValueChanges)
{
    GUIWidgetPtr w = makeWidget(1, 0, 0, 10, 10);
    w->setAction(GUIWidget::EVENT_VALUE_CHANGED,
                 new GUIAction(GUIAction::ACTION_SET_SOUND_VOLUME, 0, nullptr, nullptr));
    w->setAction(GUIWidget::EVENT_FIRE,
                 new GUIAction(GUIAction::ACTION_SET_MUSIC_VOLUME, 0, nullptr, nullptr));
    w->setAction(300, new GUIAction(GUIAction::ACTION_SET_MUSIC_VOLUME, 0, nullptr, nullptr));
    int32_t value = 40;
    w->setState(GUIWidget::STATE_FOCUSED, true);
    w->handleEvent(GUIWidget::EVENT_VALUE_CHANGED, false, &value, 4);
    w->handleEvent(300, false, &value, 4);
    drain();
    EXPECT_EQ(sound.calls, (std::vector<std::string>{ "sfx 40" }));
}

TEST_F(GUIEngineTest, SendActionsPassDataOnlyWithTheFiringEvent)
{
    GUIWidgetPtr screen = makeWidget(1, 0, 0, 240, 320);
    engine().pushScreen(screen);
    GUIWidgetPtr sender = makeWidget(2, 0, 0, 10, 10);
    static int32_t sameEventData, otherEventLength, sourceEventLength;
    screen->setCallback(403, [](GUIAction& a) { sameEventData = a.dataInt(0); });
    screen->setCallback(502, [](GUIAction& a) { otherEventLength = a.dataLength; });
    sender->setCallback(501, [](GUIAction& a) { sourceEventLength = a.dataLength + 100; });
    sender->setAction(403, new GUIAction(GUIAction::ACTION_SEND_TO_TOP, 0, nullptr, nullptr));
    sender->setAction(402, new GUIAction(GUIAction::ACTION_SEND_TO_TOP, 502, nullptr, nullptr));
    sender->setAction(401, new GUIAction(GUIAction::ACTION_SEND_TO_SOURCE, 501, nullptr, nullptr));
    int32_t value = 9;
    otherEventLength = -1;
    sender->handleEvent(403, false, &value, 4);
    sender->handleEvent(402, false, &value, 4);
    sender->handleEvent(401, false, &value, 4);
    drain();
    EXPECT_EQ(sameEventData, 9);
    EXPECT_EQ(otherEventLength, 0) << "another event code gets no data";
    EXPECT_EQ(sourceEventLength, 100);
}

TEST_F(GUIEngineTest, ScrollActionsMoveTheSourceTargets)
{
    struct Case {
        int32_t type, param, targetX, targetY;
    };
    // A 100x100 client over 300x500 of content, scrolled to (50, 60) with its targets there.
    const Case cases[] = {
        { GUIAction::ACTION_SCROLL_UP, 7, 50, 53 },
        { GUIAction::ACTION_SCROLL_DOWN, 0, 50, 100 },  // an eighth of the 320-high screen
        { GUIAction::ACTION_SCROLL_LEFT, 0, 20, 60 },   // an eighth of 240
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
        GUIActionPtr a = new GUIAction(c.type, c.param, nullptr, nullptr);
        a->source = w;
        engine().executeAction(a);
        EXPECT_EQ(w->scrollTargetX, c.targetX) << c.type;
        EXPECT_EQ(w->scrollTargetY, c.targetY) << c.type;
    }
}

TEST_F(GUIEngineTest, ScreenActionsPushPopShowAndClose)
{
    GUIWidgetPtr menu = makeWidget(1, 0, 0, 240, 320);
    GUIWidgetPtr popup = makeWidget(2, 10, 10, 50, 50);
    recordEvents(popup, { GUIWidget::EVENT_SHOWN, GUIWidget::EVENT_HIDDEN });
    engine().executeAction(new GUIAction(GUIAction::ACTION_PUSH_SCREEN, 0, menu, nullptr));
    EXPECT_EQ(engine().getTopScreen(), menu);
    engine().executeAction(new GUIAction(GUIAction::ACTION_SHOW_IN_TOP, 0, popup, nullptr));
    EXPECT_EQ(popup->getParent(), menu);
    engine().executeAction(new GUIAction(GUIAction::ACTION_CLOSE_SCREEN, 0, popup, nullptr));
    EXPECT_EQ(popup->getParent(), nullptr);
    engine().executeAction(new GUIAction(GUIAction::ACTION_POP_SCREEN, 0, nullptr, nullptr));
    EXPECT_EQ(engine().getTopScreen(), nullptr);
    engine().executeAction(new GUIAction(GUIAction::ACTION_POP_SCREEN, 0, nullptr, nullptr));
    engine().executeAction(new GUIAction(GUIAction::ACTION_FOCUS_NEXT, 0, nullptr, nullptr));
    drain();
    EXPECT_EQ(eventLog(), (EventLog{ { 2, 7 }, { 2, 6 } }));
}

TEST_F(GUIEngineTest, TrackWithoutThumbPagesByWhichHalfIsPressed)
{
    GUIWidgetPtr list = makeWidget(1, 0, 0, 100, 80);
    recordEvents(list, { GUIWidget::EVENT_PAGE_UP, GUIWidget::EVENT_PAGE_DOWN });
    for (int32_t y : { 39, 40 }) {
        GUIActionPtr a = new GUIAction(GUIAction::ACTION_TRACK_PAGE, 0, nullptr, nullptr);
        int32_t point[2] = { 5, y };
        a->source = list;
        a->fire(nullptr, GUIWidget::EVENT_POINTER_HELD, point, sizeof point);
        a->fire(nullptr, GUIWidget::EVENT_POINTER_DRAGGED, point, sizeof point);
    }
    drain();
    drain();
    EXPECT_EQ(eventLog(), (EventLog{ { 1, 13 }, { 1, 14 } }));
}

// Paints record the order in which screens were painted.
std::vector<int32_t>& painted()
{
    static std::vector<int32_t> order;
    return order;
}

bool recordPaint(GUIWidget& w, const DGraphicsPtr&)
{
    painted().push_back(w.id);
    return true;
}

TEST_F(GUIEngineTest, PaintStartsAtTheTopmostFullScreenScreen)
{
    DGraphicsPtr g = vela::microedition::lcdui::DImage::createImage(240, 320)->getGraphics();
    GUIWidgetPtr under = makeWidget(1, 0, 0, 240, 320);
    GUIWidgetPtr menu = makeWidget(2, 0, 0, 240, 320);
    GUIWidgetPtr dialog = makeWidget(3, 20, 20, 100, 100);
    for (const GUIWidgetPtr& s : { under, menu, dialog })
        s->setPaintHook(recordPaint);
    engine().pushScreen(dialog);
    painted().clear();
    engine().paint(g, false);
    EXPECT_EQ(painted(), (std::vector<int32_t>{ 3 })) << "a lone dialog is painted";
    engine().popScreen();
    engine().pushScreen(under);
    engine().pushScreen(menu);
    engine().pushScreen(dialog);
    painted().clear();
    engine().paint(g, false);
    EXPECT_EQ(painted(), (std::vector<int32_t>{ 2, 3 }));
    painted().clear();
    engine().paint(g, true);
    EXPECT_EQ(painted(), (std::vector<int32_t>{ 3 }));
}

// Pointer capture: a screen with two overlapping children and a grandchild.
class GUIPointerTest : public guitest::GUITest {
protected:
    void SetUp() override
    {
        GUITest::SetUp();
        screen = makeWidget(1, 0, 0, 240, 320);
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
    host.press(70, 70);
    frame();
    EXPECT_EQ(engine().getPointerCapture(), first);
    EXPECT_TRUE(first->hasState(GUIWidget::STATE_PRESSED));
    host.release();
    frame();
    host.press(65, 65);
    frame();
    EXPECT_EQ(engine().getPointerCapture(), first);
    host.release();
    frame();
    host.press(125, 125);
    frame();
    EXPECT_EQ(engine().getPointerCapture(), second);
    host.release();
    frame();
    host.press(145, 145);
    frame();
    EXPECT_EQ(engine().getPointerCapture(), second);
    host.release();
    frame();
    host.press(115, 115);
    frame();
    EXPECT_EQ(engine().getPointerCapture(), second) << "first ends at 110";
    host.release();
    frame();
    host.press(140, 60);
    frame();
    EXPECT_EQ(engine().getPointerCapture(), second);
    host.release();
    frame();
    host.press(200, 300);
    frame();
    EXPECT_EQ(engine().getPointerCapture(), screen);
}

TEST_F(GUIPointerTest, GrandchildInsideItsParentTakesThePress)
{
    host.press(130, 130);
    frame();
    EXPECT_EQ(engine().getPointerCapture(), second);
    host.release();
    frame();
    first->setState(GUIWidget::STATE_VISIBLE, false);
    host.press(65, 65);
    frame();
    EXPECT_EQ(engine().getPointerCapture(), inner);
}

TEST_F(GUIPointerTest, CaptureHoldsThroughTheGestureAndReleaseClearsItsStates)
{
    recordEvents(first, { GUIWidget::EVENT_POINTER_PRESSED, GUIWidget::EVENT_POINTER_HELD,
                          GUIWidget::EVENT_POINTER_DRAGGED });
    host.press(20, 20);
    frame();
    host.drag(200, 200);
    frame();
    EXPECT_EQ(engine().getPointerCapture(), first);
    EXPECT_TRUE(first->hasState(GUIWidget::STATE_DRAGGED | GUIWidget::STATE_PRESSED));
    host.release();
    frame();
    EXPECT_EQ(engine().getPointerCapture(), nullptr);
    EXPECT_FALSE(first->hasState(GUIWidget::STATE_DRAGGED));
    EXPECT_FALSE(first->hasState(GUIWidget::STATE_PRESSED));
    EXPECT_EQ(eventLog(), (EventLog{ { 2, 4 }, { 2, 5 }, { 2, 17 }, { 2, 5 } }));
}

TEST_F(GUIPointerTest, PointerEventDataIsRelativeToTheWidget)
{
    static int32_t pressData[2], dragData[4];
    inner->setClientRect(2, 3, 10, 10, false);
    inner->setCallback(GUIWidget::EVENT_POINTER_PRESSED, [](GUIAction& a) {
        std::memcpy(pressData, a.data.get(), sizeof pressData);
    });
    inner->setCallback(GUIWidget::EVENT_POINTER_DRAGGED, [](GUIAction& a) {
        ASSERT_EQ(a.dataLength, 16);
        std::memcpy(dragData, a.data.get(), sizeof dragData);
    });
    first->setState(GUIWidget::STATE_VISIBLE, false);
    host.press(65, 66);
    frame();
    EXPECT_EQ(engine().getPointerCapture(), inner);
    EXPECT_EQ(pressData[0], 5);
    EXPECT_EQ(pressData[1], 6);
    host.drag(70, 80);
    frame();
    // Drag points are relative to the client origin (62, 63).
    EXPECT_EQ(dragData[0], 3);
    EXPECT_EQ(dragData[1], 3);
    EXPECT_EQ(dragData[2], 8);
    EXPECT_EQ(dragData[3], 17);
}

} // namespace
