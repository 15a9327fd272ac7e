// Widgets: the tree, bounds and anchors, the content rectangle, scrolling, focus and keys.
#include "GUITestSupport.h"

using namespace gamelib;
using guitest::eventLog;
using guitest::EventLog;
using guitest::recordEvents;

namespace {

class GUIWidgetTest : public guitest::GUITest { };

TEST_F(GUIWidgetTest, AddingAParentedChildMovesItAndRemovingAStrangerDoesNothing)
{
    GUIWidgetPtr a = makeWidget(1, 0, 0, 10, 10);
    GUIWidgetPtr b = makeWidget(2, 0, 0, 10, 10);
    GUIWidgetPtr child = a->addChild(makeWidget(3, 0, 0, 5, 5));
    b->addChild(child);
    EXPECT_EQ(a->getChildCount(0), 0);
    EXPECT_EQ(b->getChildCount(0), 1);
    EXPECT_EQ(child->getParent(), b);
    a->removeChild(child);
    EXPECT_EQ(child->getParent(), b);
    GUIWidgetPtr made = a->addChild(nullptr);
    EXPECT_EQ(made->id, -1);
    EXPECT_EQ(made->getParent(), a);
}

TEST_F(GUIWidgetTest, FindChildSearchesLayersInOrderAndSubtreesDepthFirst)
{
    GUIWidgetPtr root = makeWidget(1, 0, 0, 10, 10);
    GUIWidgetPtr fixed = makeWidget(5, 0, 0, 1, 1);
    fixed->setLayer(1);
    root->addChild(fixed);
    GUIWidgetPtr content = root->addChild(makeWidget(2, 0, 0, 1, 1));
    GUIWidgetPtr deep = content->addChild(makeWidget(5, 0, 0, 1, 1));
    EXPECT_EQ(root->findChild(5, false), fixed);
    EXPECT_EQ(root->findChild(5, true), deep);
    EXPECT_EQ(root->findChild(9, true), nullptr);
}

TEST_F(GUIWidgetTest, RaiseAndSetLayerMoveWithinTheParent)
{
    GUIWidgetPtr root = makeWidget(1, 0, 0, 10, 10);
    GUIWidgetPtr a = root->addChild(makeWidget(2, 0, 0, 1, 1));
    GUIWidgetPtr b = root->addChild(makeWidget(3, 0, 0, 1, 1));
    a->raise();
    EXPECT_EQ(root->getChild(0, 1), a);
    a->setLayer(2);
    EXPECT_EQ(root->getChildCount(0), 1);
    EXPECT_EQ(root->getChild(2, 0), a);
    engine().pushScreen(root);
    engine().executeAction(new GUIAction(GUIAction::ACTION_RAISE_CHILD, 3, nullptr, nullptr));
    EXPECT_EQ(root->getChild(0, 0), b);
}

TEST_F(GUIWidgetTest, SetBoundsKeepsClientMarginsAndIsSilentWhenUnchanged)
{
    GUIWidgetPtr w = makeWidget(1, 0, 0, 100, 50);
    w->setClientRect(5, 6, 80, 40, false);
    recordEvents(w, { GUIWidget::EVENT_BOUNDS_CHANGED });
    w->setBounds(0, 0, 100, 50);
    w->setBounds(1, 2, 120, 70);
    drain();
    EXPECT_EQ(eventLog(), (EventLog{ { 1, 19 } }));
    EXPECT_EQ(w->getClientRect(), (GUIRect{ 5, 6, 100, 60 }));
    w->setClientRect(10, 10, 500, 500, false);
    EXPECT_EQ(w->getClientRect(), (GUIRect{ 10, 10, 110, 60 })) << "cut at the bounds";
}

TEST_F(GUIWidgetTest, GrowingClientRectMovesTheBoundsWithIt)
{
    GUIWidgetPtr w = makeWidget(1, 0, 0, 100, 50);
    w->setClientRect(4, 4, 90, 40, false);
    recordEvents(w, { GUIWidget::EVENT_BOUNDS_CHANGED });
    w->setClientRect(4, 4, 20, 10, true);
    w->setClientRect(4, 4, 20, 10, true);
    drain();
    EXPECT_EQ(w->getBounds(), (GUIRect{ 0, 0, 30, 20 }));
    EXPECT_EQ(eventLog().size(), 1u);
}

struct AnchorCase {
    int32_t parentAnchor, selfAnchor;
    int32_t x, y;
};

TEST_F(GUIWidgetTest, AnchorsPlaceTheWidgetInItsContainer)
{
    const AnchorCase cases[] = {
        { 0, 0, 10, 20 },          // top left
        { 1, 1, 200 - 30 + 10, 20 },  // right edges
        { 2, 2, 100 - 15 + 10, 20 },  // horizontal centres
        { 4, 4, 10, 100 - 40 + 20 },  // bottoms
        { 10, 10, 95, 50 - 20 + 20 },  // centre on centre
        { 5, 5, 180, 80 },          // bottom-right corners
    };
    GUIWidgetPtr parent = makeWidget(1, 0, 0, 200, 100);
    GUIWidgetPtr child = parent->addChild(makeWidget(2, 10, 20, 30, 40));
    for (const AnchorCase& c : cases) {
        child->setAnchors(c.parentAnchor, c.selfAnchor);
        GUIPoint p = child->widgetToScreen(GUIPoint{ 0, 0 });
        EXPECT_EQ(p.x, c.x) << c.parentAnchor;
        EXPECT_EQ(p.y, c.y) << c.parentAnchor;
    }
}

TEST_F(GUIWidgetTest, ContentChildrenFollowScrollAndClientOriginFixedChildrenDoNot)
{
    GUIWidgetPtr parent = makeWidget(1, 5, 5, 200, 100);
    parent->setClientRect(10, 12, 180, 80, false);
    GUIWidgetPtr content = parent->addChild(makeWidget(2, 3, 4, 10, 10));
    GUIWidgetPtr fixed = makeWidget(3, 3, 4, 10, 10);
    fixed->setLayer(1);
    parent->addChild(fixed);
    parent->setScrollPosition(0, 7);
    EXPECT_EQ(content->widgetToScreen(GUIPoint{ 0, 0 }).y, 5 + 12 - 7 + 4);
    EXPECT_EQ(content->widgetToScreen(GUIPoint{ 0, 0 }).x, 5 + 10 + 3);
    EXPECT_EQ(fixed->widgetToScreen(GUIPoint{ 0, 0 }).y, 5 + 4);
    GUIPoint back = content->screenToClient(content->clientToScreen(GUIPoint{ 6, 9 }));
    EXPECT_EQ(back.x, 6);
    EXPECT_EQ(back.y, 9);
}

TEST_F(GUIWidgetTest, ShortContentClampsBelowItsTopButStaysInView)
{
    GUIWidgetPtr w = makeWidget(1, 0, 0, 100, 100);
    w->addChild(makeWidget(2, 0, 0, 100, 50));
    recordEvents(w, { GUIWidget::EVENT_SCROLLED });
    w->handleEvent(GUIWidget::EVENT_SHOWN, false, nullptr, 0);
    EXPECT_EQ(w->getContentRect(), (GUIRect{ 0, 0, 100, 50 }));
    EXPECT_EQ(w->clampY(0), -50);
    EXPECT_EQ(w->clampY(-1), 0);
    // Shown, the position snaps to -50; the step that follows moves one pixel toward the
    // target and clamps back to the top, so the content stays where it was placed.
    EXPECT_EQ(w->scrollY, 0);
    drain();
    EXPECT_EQ(eventLog(), (EventLog{ { 1, 12 } }));
    w->layout(GUIRect{ 0, 0, 240, 320 }, GUIRect{ 0, 0, 240, 320 });
    EXPECT_EQ(w->scrollTargetY, -50);
    w->layout(GUIRect{ 0, 0, 240, 320 }, GUIRect{ 0, 0, 240, 320 });
    EXPECT_EQ(w->scrollY, 0);
}

TEST_F(GUIWidgetTest, ContentCoversChildrenAndTheOriginPlusInsets)
{
    GUIWidgetPtr w = makeWidget(1, 0, 0, 100, 100);
    w->addChild(makeWidget(2, 10, 300, 50, 20));
    w->addChild(makeWidget(3, -5, 5, 0, 90));  // empty: ignored
    w->setInsets(1, 2, 3, 4);
    w->computeContentRect();
    EXPECT_EQ(w->getContentRect(), (GUIRect{ -1, -2, 60 + 4, 320 + 6 }));
}

TEST_F(GUIWidgetTest, SmoothScrollMovesAnEighthPerFrameOrJumps)
{
    host.height = 320;
    GUIWidgetPtr w = makeWidget(1, 0, 0, 240, 320);
    w->addChild(makeWidget(2, 0, 0, 240, 2000));
    engine().pushScreen(w);
    w->scrollDown(0);
    EXPECT_EQ(w->scrollTargetY, 40);
    frame();
    EXPECT_EQ(w->scrollY, 5);
    frame();
    EXPECT_EQ(w->scrollY, 9);  // 35 >> 3 = 4
    for (int i = 0; i < 40; ++i)
        frame();
    EXPECT_EQ(w->scrollY, 40) << "the last pixels move one at a time";
    w->scrollDown(240);  // three quarters of 320: jumps
    frame();
    EXPECT_EQ(w->scrollY, 280);
    w->scrollToBottom();
    for (int i = 0; i < 100; ++i)
        frame();
    EXPECT_EQ(w->scrollY, 2000 - 320);
    w->setScrollTarget(0, 5000);
    frame();
    EXPECT_EQ(w->scrollTargetY, 2000 - 320) << "an idle step clamps the target";
}

TEST_F(GUIWidgetTest, ScrolledEventAnnouncesEveryMove)
{
    GUIWidgetPtr w = makeWidget(1, 0, 0, 240, 320);
    w->addChild(makeWidget(2, 0, 0, 240, 2000));
    engine().pushScreen(w);
    recordEvents(w, { GUIWidget::EVENT_SCROLLED });
    w->scrollDown(16);
    frame();
    frame();
    frame();
    EXPECT_EQ(eventLog().size(), 3u);
    w->scrollUp(100);
    frame();
    EXPECT_EQ(w->scrollY, 3) << "the step is measured to the clamped target";
    for (int i = 0; i < 5; ++i)
        frame();
    EXPECT_EQ(w->scrollY, 0);
}

// A screen with five entries; tab indices 2, 0, -1, 1 and 3 (the last one hidden).
class GUIFocusTest : public guitest::GUITest {
protected:
    void SetUp() override
    {
        GUITest::SetUp();
        screen = makeWidget(1, 0, 0, 240, 320);
        const int32_t tabs[] = { 2, 0, -1, 1, 3 };
        for (int32_t i = 0; i < 5; ++i) {
            GUIWidgetPtr item = screen->addChild(makeWidget(10 + i, 0, 40 * i, 100, 30));
            item->setTabIndex(tabs[i]);
            items.push_back(item);
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

TEST_F(GUIFocusTest, NextAndPreviousFollowTabIndexAndWrap)
{
    screen->focusNext();
    EXPECT_EQ(focusedId(), 11);
    screen->focusNext();
    EXPECT_EQ(focusedId(), 13);
    screen->focusNext();
    EXPECT_EQ(focusedId(), 10);
    screen->focusNext();
    EXPECT_EQ(focusedId(), 11) << "wraps, skipping -1 and the hidden entry";
    screen->focusPrevious();
    EXPECT_EQ(focusedId(), 10);
    EXPECT_FALSE(items[1]->hasState(GUIWidget::STATE_FOCUSED)) << "one focused child";
    EXPECT_TRUE(items[0]->hasState(GUIWidget::STATE_FOCUSED));
}

TEST_F(GUIFocusTest, DisabledEntriesAreSkippedUnlessFocusableWhenDisabled)
{
    items[3]->setState(GUIWidget::STATE_ENABLED, false);
    screen->focusFirst();
    screen->focusNext();
    EXPECT_EQ(focusedId(), 10);
    items[3]->setFocusableWhenDisabled(true);
    screen->focusFirst();
    screen->focusNext();
    EXPECT_EQ(focusedId(), 13);
}

TEST_F(GUIFocusTest, VerticalPicksTheTopmostAboveElseTheLowestBelow)
{
    screen->focusVertical();
    EXPECT_EQ(focusedId(), 10) << "no focus yet: the largest tab index";
    screen->focusVertical();
    EXPECT_EQ(focusedId(), 13) << "nothing above 10: the lowest below";
    screen->focusVertical();
    EXPECT_EQ(focusedId(), 10);
}

TEST_F(GUIFocusTest, UpAndDownKeysOfAModalScreenMoveFocusWithRepeatDelay)
{
    screen->setAction(GUIWidget::EVENT_DOWN,
                      new GUIAction(GUIAction::ACTION_FOCUS_NEXT, 0, nullptr, nullptr));
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
    recordEvents(screen, { GUIWidget::EVENT_FIRE });
    recordEvents(items[1], { GUIWidget::EVENT_FIRE });
    recordEvents(items[0], { GUIWidget::EVENT_FIRE });
    host.actions[4] = true;
    frame();
    EXPECT_EQ(eventLog(), (EventLog{ { 11, 2 } }));
    screen->setSelfFirst(true);
    host.now += 1000;
    frame();
    EXPECT_EQ(eventLog(), (EventLog{ { 11, 2 }, { 1, 2 } }));
}

TEST_F(GUIWidgetTest, KeyEventsNeedFocusButShownAndPointerEventsDoNot)
{
    GUIWidgetPtr w = makeWidget(1, 0, 0, 10, 10);
    recordEvents(w, { GUIWidget::EVENT_FIRE, GUIWidget::EVENT_SHOWN,
                      GUIWidget::EVENT_POINTER_PRESSED });
    EXPECT_FALSE(w->handleEvent(GUIWidget::EVENT_FIRE, false, nullptr, 0));
    EXPECT_TRUE(w->handleEvent(GUIWidget::EVENT_SHOWN, false, nullptr, 0));
    EXPECT_TRUE(w->handleEvent(GUIWidget::EVENT_POINTER_PRESSED, false, nullptr, 0));
    w->setState(GUIWidget::STATE_FOCUSED, true);
    EXPECT_TRUE(w->handleEvent(GUIWidget::EVENT_FIRE, false, nullptr, 0));
    drain();
    EXPECT_EQ(eventLog(), (EventLog{ { 1, 7 }, { 1, 4 }, { 1, 2 } }));
}

TEST_F(GUIWidgetTest, ActivationSendsSetThenClearedAndLeavesTheBitClear)
{
    GUIWidgetPtr w = makeWidget(1, 0, 0, 10, 10);
    recordEvents(w, { 23, 55, 22 });
    w->setState(GUIWidget::STATE_ACTIVATED, true);
    drain();
    EXPECT_EQ(eventLog(), (EventLog{ { 1, 23 }, { 1, 55 } }));
    EXPECT_FALSE(w->hasState(GUIWidget::STATE_ACTIVATED));
    EXPECT_TRUE(w->stateChanged(GUIWidget::STATE_ACTIVATED));
    EXPECT_TRUE(w->stateBecame(GUIWidget::STATE_ACTIVATED, false));
}

TEST_F(GUIWidgetTest, ButtonBindingsClickOnTapAndFire)
{
    GUIWidgetPtr screen = makeWidget(1, 0, 0, 240, 320);
    GUIWidgetPtr button = screen->addChild(makeWidget(2, 20, 20, 100, 30));
    button->setTabIndex(0);
    button->setAction(GUIWidget::EVENT_POINTER_PRESSED,
                      new GUIAction(GUIAction::ACTION_SET_STATE, 12, nullptr, nullptr));
    button->setAction(GUIWidget::EVENT_FIRE,
                      new GUIAction(GUIAction::ACTION_SET_STATE, 8, nullptr, nullptr));
    button->getAction(GUIWidget::EVENT_FIRE)->sound = 2;
    recordEvents(button, { 23 });
    engine().pushScreen(screen);
    host.press(30, 30);
    frame();
    EXPECT_TRUE(button->hasState(GUIWidget::STATE_FOCUSED));
    EXPECT_EQ(eventLog(), (EventLog{ { 2, 23 } }));
    host.release();
    host.actions[4] = true;
    frame();
    EXPECT_EQ(eventLog(), (EventLog{ { 2, 23 }, { 2, 23 } }));
    EXPECT_EQ(sound.calls, (std::vector<std::string>{ "play 2 once 0" }));
}

TEST_F(GUIWidgetTest, KeyCodesReachTheFocusedWidgetOnce)
{
    GUIWidgetPtr screen = makeWidget(1, 0, 0, 240, 320);
    static int32_t code;
    screen->setCallback(GUIWidget::EVENT_KEY, [](GUIAction& a) { code = a.dataInt(0); });
    engine().pushScreen(screen);
    host.keyEventSeen = true;
    host.lastKeyCode = 53;
    frame();
    EXPECT_EQ(code, 53);
    EXPECT_FALSE(host.keyEventSeen);
    code = 0;
    screen->setAction(GUIWidget::EVENT_SOFT_LEFT,
                      new GUIAction(GUIAction::ACTION_SEND_KEY, 42, nullptr, nullptr));
    screen->handleEvent(GUIWidget::EVENT_SOFT_LEFT, false, nullptr, 0);
    drain();
    drain();
    EXPECT_EQ(code, 42);
}

TEST_F(GUIWidgetTest, FocusedChildIsScrolledToTheCentre)
{
    GUIWidgetPtr screen = makeWidget(1, 0, 0, 240, 320);
    GUIWidgetPtr far = screen->addChild(makeWidget(2, 0, 1000, 240, 40));
    screen->addChild(makeWidget(3, 0, 1900, 240, 40));
    far->setTabIndex(0);
    engine().pushScreen(screen);
    far->setState(GUIWidget::STATE_FOCUSED, true);
    EXPECT_EQ(screen->scrollTargetY, 1000 + 20 - 160);
}

TEST_F(GUIWidgetTest, ShownRestoresTheFocusedChild)
{
    GUIWidgetPtr screen = makeWidget(1, 0, 0, 240, 320);
    GUIWidgetPtr item = screen->addChild(makeWidget(2, 0, 0, 240, 40));
    item->setTabIndex(0);
    item->setStateNow(GUIWidget::STATE_FOCUSED, true);
    engine().pushScreen(screen);
    EXPECT_EQ(screen->getFocusedChild(), item);
}

} // namespace
