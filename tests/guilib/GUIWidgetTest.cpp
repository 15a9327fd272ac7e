// Widgets: the tree, bounds and anchors, the content rectangle, scrolling, focus and keys.
#include "GUITestSupport.h"

using namespace guilib;
using guitest::eventLog;
using guitest::EventLog;
using guitest::recordEvents;
using guitest::xy;

namespace {

class GUIWidgetTest : public guitest::GUITest { };

TEST_F(GUIWidgetTest, TreeMovesChildrenBetweenParentsAndLayersAndFindsThemDepthFirst)
{
    GUIWidgetPtr a = makeWidget(1, 0, 0, 10, 10), b = makeWidget(2, 0, 0, 10, 10);
    GUIWidgetPtr child = a->addChild(makeWidget(3, 0, 0, 5, 5));
    b->addChild(child);
    EXPECT_EQ(a->getChildCount(0), 0);
    EXPECT_EQ(child->getParent(), b);
    a->removeChild(child);
    EXPECT_EQ(child->getParent(), b) << "removing a stranger does nothing";
    GUIWidgetPtr made = a->addChild(nullptr);
    EXPECT_EQ(made->id, -1);
    EXPECT_EQ(made->getParent(), a);
    GUIWidgetPtr other = a->addChild(makeWidget(4, 0, 0, 1, 1));
    made->raise();
    EXPECT_EQ(a->getChild(0, 1), made);
    made->setLayer(2);
    EXPECT_EQ(a->getChildCount(0), 1);
    EXPECT_EQ(a->getChild(2, 0), made);
    engine().pushScreen(a);
    a->addChild(makeWidget(5, 0, 0, 1, 1));
    engine().executeAction(action(GUIAction::ACTION_RAISE_CHILD, 4));
    EXPECT_EQ(a->getChild(0, 1), other);
    GUIWidgetPtr root = makeWidget(1, 0, 0, 10, 10);
    GUIWidgetPtr fixed = makeWidget(5, 0, 0, 1, 1);
    fixed->setLayer(1);
    root->addChild(fixed);
    GUIWidgetPtr deep
        = root->addChild(makeWidget(2, 0, 0, 1, 1))->addChild(makeWidget(5, 0, 0, 1, 1));
    EXPECT_EQ(root->findChild(5, false), fixed);
    EXPECT_EQ(root->findChild(5, true), deep);
    EXPECT_EQ(root->findChild(9, true), nullptr);
}

TEST_F(GUIWidgetTest, BoundsKeepClientMarginsAndAnnounceOnlyChanges)
{
    GUIWidgetPtr w = makeWidget(1, 0, 0, 100, 50);
    w->setClientRect(5, 6, 80, 40, false);
    recordEvents(w, { GUIWidget::EVENT_BOUNDS_CHANGED });
    w->setBounds(0, 0, 100, 50);
    w->setBounds(1, 2, 120, 70);
    EXPECT_EQ(w->getClientRect(), (GUIRect { 5, 6, 100, 60 }));
    w->setClientRect(10, 10, 500, 500, false);
    EXPECT_EQ(w->getClientRect(), (GUIRect { 10, 10, 110, 60 })) << "cut at the bounds";
    w->setClientRect(4, 4, 20, 10, true);
    w->setClientRect(4, 4, 20, 10, true);
    EXPECT_EQ(w->getBounds(), (GUIRect { 1, 2, 24, 14 })) << "a growing client moves the bounds";
    drain();
    EXPECT_EQ(eventLog(), (EventLog { { 1, 19 }, { 1, 19 } }));
}

TEST_F(GUIWidgetTest, AnchorsPlaceTheWidgetInItsContainer)
{
    struct Case {
        int32_t parentAnchor, selfAnchor, x, y;
    };
    const Case cases[] = {
        { 0, 0, 10, 20 }, // top left
        { 1, 1, 200 - 30 + 10, 20 }, // right edges
        { 2, 2, 100 - 15 + 10, 20 }, // horizontal centres
        { 4, 4, 10, 100 - 40 + 20 }, // bottoms
        { 10, 10, 95, 50 - 20 + 20 }, // centre on centre
        { 5, 5, 180, 80 }, // bottom-right corners
    };
    GUIWidgetPtr parent = makeWidget(1, 0, 0, 200, 100);
    GUIWidgetPtr child = parent->addChild(makeWidget(2, 10, 20, 30, 40));
    for (const Case& c : cases) {
        child->setAnchors(c.parentAnchor, c.selfAnchor);
        EXPECT_EQ(xy(child->widgetToScreen(GUIPoint { 0, 0 })), std::make_pair(c.x, c.y))
            << c.parentAnchor;
    }
}

TEST_F(GUIWidgetTest, ContentFollowsScrollAndClientOriginAndCoversChildrenPlusInsets)
{
    GUIWidgetPtr parent = makeWidget(1, 5, 5, 200, 100);
    parent->setClientRect(10, 12, 180, 80, false);
    GUIWidgetPtr content = parent->addChild(makeWidget(2, 3, 4, 10, 10));
    GUIWidgetPtr fixed = makeWidget(3, 3, 4, 10, 10);
    fixed->setLayer(1);
    parent->addChild(fixed);
    parent->setScrollPosition(0, 7);
    EXPECT_EQ(
        xy(content->widgetToScreen(GUIPoint { 0, 0 })), std::make_pair(5 + 10 + 3, 5 + 12 - 7 + 4));
    EXPECT_EQ(fixed->widgetToScreen(GUIPoint { 0, 0 }).y, 5 + 4);
    EXPECT_EQ(xy(content->screenToClient(content->clientToScreen(GUIPoint { 6, 9 }))),
        std::make_pair(6, 9));
    GUIWidgetPtr w = makeWidget(1, 0, 0, 100, 100);
    w->addChild(makeWidget(2, 10, 300, 50, 20));
    w->addChild(makeWidget(3, -5, 5, 0, 90)); // empty: ignored
    w->setInsets(1, 2, 3, 4);
    w->computeContentRect();
    EXPECT_EQ(w->getContentRect(), (GUIRect { -1, -2, 60 + 4, 320 + 6 }));
}

TEST_F(GUIWidgetTest, ShortContentClampsBelowItsTopButStaysInView)
{
    GUIWidgetPtr w = makeWidget(1, 0, 0, 100, 100);
    w->addChild(makeWidget(2, 0, 0, 100, 50));
    recordEvents(w, { GUIWidget::EVENT_SCROLLED });
    w->handleEvent(GUIWidget::EVENT_SHOWN, false, nullptr, 0);
    EXPECT_EQ(w->getContentRect(), (GUIRect { 0, 0, 100, 50 }));
    EXPECT_EQ(w->clampY(0), -50);
    EXPECT_EQ(w->clampY(-1), 0);
    // Shown, the position snaps to -50; the step that follows moves one pixel toward the
    // target and clamps back to the top, so the content stays where it was placed.
    EXPECT_EQ(w->scrollY, 0);
    drain();
    EXPECT_EQ(eventLog(), (EventLog { { 1, 12 } }));
    w->layout(GUIRect { 0, 0, 240, 320 }, GUIRect { 0, 0, 240, 320 });
    EXPECT_EQ(w->scrollTargetY, -50);
    w->layout(GUIRect { 0, 0, 240, 320 }, GUIRect { 0, 0, 240, 320 });
    EXPECT_EQ(w->scrollY, 0);
}

TEST_F(GUIWidgetTest, SmoothScrollMovesAnEighthPerFrameOrJumpsAndAnnouncesEveryMove)
{
    GUIWidgetPtr w = makeScreen(1);
    w->addChild(makeWidget(2, 0, 0, 240, 2000));
    engine().pushScreen(w);
    recordEvents(w, { GUIWidget::EVENT_SCROLLED });
    w->scrollDown(0);
    EXPECT_EQ(w->scrollTargetY, 40);
    frame();
    EXPECT_EQ(w->scrollY, 5);
    frame();
    EXPECT_EQ(w->scrollY, 9); // 35 >> 3 = 4
    EXPECT_EQ(eventLog().size(), 2u);
    frame(40);
    EXPECT_EQ(w->scrollY, 40) << "the last pixels move one at a time";
    w->scrollDown(240); // three quarters of 320: jumps
    frame();
    EXPECT_EQ(w->scrollY, 280);
    w->scrollToBottom();
    frame(100);
    EXPECT_EQ(w->scrollY, 2000 - 320);
    w->setScrollTarget(0, 5000);
    frame();
    EXPECT_EQ(w->scrollTargetY, 2000 - 320) << "an idle step clamps the target";
    w->setScrollPosition(0, 20);
    w->setScrollTarget(0, 20);
    w->scrollUp(100);
    frame();
    EXPECT_EQ(w->scrollY, 18) << "the step is measured to the clamped target";
}

// A screen with five entries; tab indices 2, 0, -1, 1 and 3 (the last one hidden).
class GUIFocusTest : public guitest::GUITest {
protected:
    void SetUp() override
    {
        GUITest::SetUp();
        screen = makeScreen(1);
        const int32_t tabs[] = { 2, 0, -1, 1, 3 };
        for (int32_t i = 0; i < 5; ++i) {
            items.push_back(screen->addChild(makeWidget(10 + i, 0, 40 * i, 100, 30)));
            items.back()->setTabIndex(tabs[i]);
        }
        items[4]->setState(GUIWidget::STATE_VISIBLE, false);
        engine().pushScreen(screen);
    }
    int32_t focusedId() const
    {
        GUIWidgetPtr f = screen->getFocusedChild();
        return f ? f->id : -1;
    }
    GUIWidgetPtr screen;
    std::vector<GUIWidgetPtr> items;
};

TEST_F(GUIFocusTest, NextPreviousAndVerticalFollowTabIndexAndWrap)
{
    // No focus yet: the largest tab index; nothing above 10: the lowest below.
    for (int32_t expected : { 10, 13, 10 }) {
        screen->focusVertical();
        EXPECT_EQ(focusedId(), expected);
    }
    for (int32_t expected : { 11, 13, 10, 11 }) { // wraps, skipping -1 and the hidden entry
        screen->focusNext();
        EXPECT_EQ(focusedId(), expected);
    }
    screen->focusPrevious();
    EXPECT_EQ(focusedId(), 10);
    EXPECT_FALSE(items[1]->hasState(GUIWidget::STATE_FOCUSED)) << "one focused child";
    EXPECT_TRUE(items[0]->hasState(GUIWidget::STATE_FOCUSED));
    items[3]->setState(GUIWidget::STATE_ENABLED, false);
    screen->focusFirst();
    screen->focusNext();
    EXPECT_EQ(focusedId(), 10) << "disabled entries are skipped";
    items[3]->setFocusableWhenDisabled(true);
    screen->focusFirst();
    screen->focusNext();
    EXPECT_EQ(focusedId(), 13);
}

TEST_F(GUIFocusTest, HeldDownKeyRepeatsAfterTheDelay)
{
    screen->setAction(GUIWidget::EVENT_DOWN, action(GUIAction::ACTION_FOCUS_NEXT));
    host.actions[1] = true;
    frame();
    EXPECT_EQ(focusedId(), 11);
    host.now += 200;
    frame();
    EXPECT_EQ(focusedId(), 11) << "held key repeats only after more than 200 ms";
    host.now += 1;
    frame();
    EXPECT_EQ(focusedId(), 13);
}

TEST_F(GUIFocusTest, FocusedChildGetsKeysBeforeTheScreen)
{
    screen->focusFirst();
    for (const GUIWidgetPtr& w : { screen, items[1], items[0] })
        recordEvents(w, { GUIWidget::EVENT_FIRE });
    host.actions[4] = true;
    frame();
    EXPECT_EQ(eventLog(), (EventLog { { 11, 2 } }));
    screen->setSelfFirst(true);
    host.now += 1000;
    frame();
    EXPECT_EQ(eventLog(), (EventLog { { 11, 2 }, { 1, 2 } }));
}

TEST_F(GUIWidgetTest, KeyEventsNeedFocusAndActivationSendsSetThenCleared)
{
    GUIWidgetPtr w = makeWidget(1, 0, 0, 10, 10);
    recordEvents(
        w, { GUIWidget::EVENT_FIRE, GUIWidget::EVENT_SHOWN, GUIWidget::EVENT_POINTER_PRESSED });
    EXPECT_FALSE(w->handleEvent(GUIWidget::EVENT_FIRE, false, nullptr, 0));
    EXPECT_TRUE(w->handleEvent(GUIWidget::EVENT_SHOWN, false, nullptr, 0));
    EXPECT_TRUE(w->handleEvent(GUIWidget::EVENT_POINTER_PRESSED, false, nullptr, 0));
    w->setState(GUIWidget::STATE_FOCUSED, true);
    EXPECT_TRUE(w->handleEvent(GUIWidget::EVENT_FIRE, false, nullptr, 0));
    drain();
    EXPECT_EQ(eventLog(), (EventLog { { 1, 7 }, { 1, 4 }, { 1, 2 } }));
    eventLog().clear();
    recordEvents(w, { 23, 55, 22 });
    w->setState(GUIWidget::STATE_ACTIVATED, true);
    drain();
    EXPECT_EQ(eventLog(), (EventLog { { 1, 23 }, { 1, 55 } }));
    EXPECT_FALSE(w->hasState(GUIWidget::STATE_ACTIVATED));
    EXPECT_TRUE(w->stateChanged(GUIWidget::STATE_ACTIVATED));
    EXPECT_TRUE(w->stateBecame(GUIWidget::STATE_ACTIVATED, false));
}

TEST_F(GUIWidgetTest, ButtonBindingsClickOnTapAndFire)
{
    GUIWidgetPtr screen = makeScreen(1);
    GUIWidgetPtr button = screen->addChild(makeWidget(2, 20, 20, 100, 30));
    button->setTabIndex(0);
    button->setAction(GUIWidget::EVENT_POINTER_PRESSED, action(GUIAction::ACTION_SET_STATE, 12));
    button->setAction(GUIWidget::EVENT_FIRE, action(GUIAction::ACTION_SET_STATE, 8));
    button->getAction(GUIWidget::EVENT_FIRE)->sound = 2;
    recordEvents(button, { 23 });
    engine().pushScreen(screen);
    tap(30, 30);
    EXPECT_TRUE(button->hasState(GUIWidget::STATE_FOCUSED));
    EXPECT_EQ(eventLog(), (EventLog { { 2, 23 } }));
    host.actions[4] = true;
    frame();
    EXPECT_EQ(eventLog(), (EventLog { { 2, 23 }, { 2, 23 } }));
    EXPECT_EQ(sound.calls, (std::vector<std::string> { "play 2 once 0" }));
}

TEST_F(GUIWidgetTest, KeyCodesReachTheFocusedWidgetOnce)
{
    GUIWidgetPtr screen = makeScreen(1);
    static int32_t code;
    screen->setCallback(GUIWidget::EVENT_KEY, [](GUIAction& a) { code = a.dataInt(0); });
    engine().pushScreen(screen);
    host.keyEventSeen = true;
    host.lastKeyCode = 53;
    frame();
    EXPECT_EQ(code, 53);
    EXPECT_FALSE(host.keyEventSeen);
    screen->setAction(GUIWidget::EVENT_SOFT_LEFT, action(GUIAction::ACTION_SEND_KEY, 42));
    screen->handleEvent(GUIWidget::EVENT_SOFT_LEFT, false, nullptr, 0);
    drain();
    EXPECT_EQ(code, 42);
}

TEST_F(GUIWidgetTest, FocusIsRestoredWhenShownAndScrolledToTheCentre)
{
    GUIWidgetPtr screen = makeScreen(1);
    GUIWidgetPtr near = screen->addChild(makeWidget(2, 0, 0, 240, 40));
    GUIWidgetPtr far = screen->addChild(makeWidget(3, 0, 1000, 240, 40));
    screen->addChild(makeWidget(4, 0, 1900, 240, 40));
    near->setTabIndex(0);
    far->setTabIndex(1);
    near->setStateNow(GUIWidget::STATE_FOCUSED, true);
    engine().pushScreen(screen);
    EXPECT_EQ(screen->getFocusedChild(), near);
    far->setState(GUIWidget::STATE_FOCUSED, true);
    EXPECT_EQ(screen->scrollTargetY, 1000 + 20 - 160);
}

} // namespace
