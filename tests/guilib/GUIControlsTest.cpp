// Controls: slider values and pointer, scroll bar paging, arrows and thumb, message boxes.
#include "GUITestAssets.h"
#include "GUITestSupport.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIMessageBox.h"
#include "guilib/GUISlider.h"
#include "guilib/GUIVScrollBar.h"
#include "lang/DString.h"

using namespace guilib;
using namespace guitest;

namespace {

// A 120x20 slider whose bar is the client x 10..110, stepping by 10.
class GUISliderTest : public GUITest {
protected:
    void SetUp() override
    {
        GUITest::SetUp();
        slider = new GUISlider(7);
        slider->setBounds(0, 0, 120, 20);
        slider->setClientRect(10, 0, 100, 20, false);
        slider->setStep(10);
        recordEvents(slider, { GUIWidget::EVENT_VALUE_CHANGED });
    }
    GUISliderPtr slider;
};

TEST_F(GUISliderTest, ValuesSnapToStepsClampToLimitsAndAreAnnouncedOnce)
{
    static int32_t announced;
    slider->addAction(GUIWidget::EVENT_VALUE_CHANGED, GUIAction::ACTION_NONE, 0, nullptr,
        [](GUIAction& a) { announced = a.dataInt(0); });
    struct Case {
        int32_t in, stored;
    };
    const Case cases[] = { { 14, 10 }, { 15, 10 }, { 16, 20 }, { 250, 100 }, { -7, 0 }, { 96, 100 },
        { 4, 0 }, { 30, 30 }, { 34, 30 } };
    for (const Case& c : cases) {
        slider->setValue(c.in);
        EXPECT_EQ(slider->getValue(), c.stored) << c.in;
    }
    drain();
    EXPECT_EQ(eventLog().size(), 7u) << "unchanged values are not announced";
    EXPECT_EQ(announced, 30);
    slider->setSnapToStep(false);
    slider->setValue(37);
    EXPECT_EQ(slider->getValue(), 37);
    slider->setSnapToStep(true);
    slider->setStep(0);
    slider->setValue(33);
    EXPECT_EQ(slider->getValue(), 33) << "a step of 0 does not snap";
    slider->setValue(80);
    slider->setMaximum(50);
    EXPECT_EQ(slider->getValue(), 50);
    slider->setMinimum(60);
    EXPECT_EQ(slider->minimum, 0) << "a minimum above the maximum is ignored";
    slider->setMinimum(40);
    slider->setValue(0);
    EXPECT_EQ(slider->getValue(), 40);
    slider->setMaximum(30);
    EXPECT_EQ(slider->maximum, 50);
}

TEST_F(GUISliderTest, KeysAndTapsMoveItOnlyWhileEnabledAndFocused)
{
    GUIWidgetPtr screen = makeScreen(1);
    screen->addChild(slider);
    engine().pushScreen(screen);
    slider->setState(GUIWidget::STATE_FOCUSED, true);
    host.actions[3] = true;
    frame();
    EXPECT_EQ(slider->getValue(), 10);
    host.actions[3] = false;
    tap(60, 10);
    EXPECT_EQ(slider->getValue(), 50) << "half way along the bar";
    // With a bar rectangle (2, 3, 4, 5) in the client background, taps beside it step.
    slider->setLook(8, new GUIAnimation(testSprites(1), 0, true), 0, 0);
    slider->selectLooks(false);
    slider->setBarRectId(1);
    EXPECT_EQ(slider->getBarRect(true), (GUIRect { 12, 3, 4, 5 }));
    tap(30, 10);
    EXPECT_EQ(slider->getValue(), 60) << "increment by the press; the held point is off the bar";
    slider->setState(GUIWidget::STATE_ENABLED, false);
    tap(20, 10);
    host.actions[2] = true;
    host.now += 1000;
    frame();
    slider->setValue(0);
    EXPECT_EQ(slider->getValue(), 60) << "a disabled slider is deaf";
}

TEST_F(GUISliderTest, FillCoversTheValueShareOfTheBar)
{
    slider->setLook(GUIWidget::PART_SLIDER_FILL, new GUIAnimation(0xFF0000, -1), 0, 0);
    slider->selectLooks(false);
    slider->setValue(30);
    DImagePtr target = solidImage(120, 20, 0);
    slider->paint(target->getGraphics(), 0, 0, 120, 20);
    EXPECT_EQ(pixelAt(target, 10, 5), RED565);
    EXPECT_EQ(pixelAt(target, 38, 5), RED565);
    EXPECT_EQ(pixelAt(target, 40, 5), 0);
}

// A screen with a 200x100 list over 400 pixels of content and its scroll bar (20x100) on the
// right: arrows 10 high, track 80 high, thumb 20 high.
class GUIScrollBarTest : public GUITest {
protected:
    void SetUp() override
    {
        GUITest::SetUp();
        screen = makeScreen(1);
        list = screen->addChild(makeWidget(2, 0, 0, 200, 100));
        list->addChild(makeWidget(3, 0, 0, 200, 400));
        bar = new GUIVScrollBar(list, 0, 0, 10, 10, -1);
        bar->setBounds(210, 0, 20, 100);
        bar->upButton->setLook(8, new GUIAnimation(solidImage(20, 10, 0xFFFFFF)), 0, 0);
        bar->downButton->setLook(8, new GUIAnimation(solidImage(20, 10, 0xFFFFFF)), 0, 0);
        bar->thumb->setLook(8, new GUIAnimation(solidImage(20, 20, 0xFFFFFF)), 0, 0);
        screen->addChild(bar);
        engine().pushScreen(screen);
        frame();
    }
    GUIWidgetPtr screen, list;
    GUIVScrollBarPtr bar;
};

TEST_F(GUIScrollBarTest, TrackFitsBetweenTheArrowsAndAHeldArrowScrollsEveryFrame)
{
    EXPECT_EQ(bar->track->getBounds(), (GUIRect { 0, 0, 20, 80 }));
    EXPECT_EQ(bar->track->widgetToScreen(GUIPoint { 0, 0 }).y, 10);
    EXPECT_EQ(bar->thumb->widgetToScreen(GUIPoint { 0, 0 }).y, 10);
    EXPECT_EQ(bar->downButton->widgetToScreen(GUIPoint { 0, 0 }).y, 90);
    host.press(220, 95);
    frame(5);
    EXPECT_EQ(engine().getPointerCapture(), bar->downButton);
    EXPECT_GT(list->scrollY, 0);
    EXPECT_EQ(list->scrollTargetY, list->scrollY + 10);
    release();
    host.press(220, 5);
    frame(40);
    EXPECT_EQ(list->scrollY, 0) << "the up arrow stops at the top";
}

TEST_F(GUIScrollBarTest, TrackPagesByHalfTheClientAndTheThumbIgnoresTaps)
{
    tap(220, 60);
    EXPECT_EQ(list->scrollTargetY, 50);
    frame(30);
    EXPECT_EQ(list->scrollY, 50);
    EXPECT_EQ(bar->thumb->boundsY, 10) << "the thumb follows: 50 * 60 / 300";
    EXPECT_EQ(tap(220, 25), bar->thumb); // on the thumb (20..40)
    EXPECT_EQ(list->scrollTargetY, 50);
    tap(220, 15); // track above the thumb
    EXPECT_EQ(list->scrollTargetY, 0);
}

TEST_F(GUIScrollBarTest, DraggingTheThumbScrollsInProportion)
{
    press(220, 20);
    dragTo(220, 50);
    // The pointer (40 below the track top) minus half the thumb: 30 of a 60-pixel travel.
    EXPECT_EQ(bar->thumb->boundsY, 30);
    EXPECT_EQ(list->scrollY, 150);
    dragTo(220, 300);
    EXPECT_EQ(bar->thumb->boundsY, 60) << "kept inside the track";
    EXPECT_EQ(list->scrollY, 300);
}

TEST_F(GUIScrollBarTest, ContentThatFitsNeitherDividesByZeroNorScrolls)
{
    list->getChild(0, 0)->setSize(200, 60);
    list->computeContentRect();
    GUIActionPtr sync = action(GUIAction::ACTION_SYNC_THUMB, 0, bar->thumb);
    sync->source = list;
    engine().executeAction(sync);
    EXPECT_EQ(bar->thumb->boundsY, 0);
    press(220, 20);
    dragTo(220, 70);
    EXPECT_EQ(list->scrollY, 0);
    EXPECT_LE(bar->thumb->boundsY, 60);
    bar->setSize(20, 30); // a track shorter than the thumb
    frame();
    dragTo(220, 20);
    EXPECT_EQ(bar->thumb->boundsY, 0);
}

class GUIMessageBoxTest : public GUITest { };

TEST_F(GUIMessageBoxTest, TappingASoftKeyLabelActsOnTheTopScreen)
{
    GUIModalScreenPtr menu = new GUIModalScreen(1);
    GUIMessageBoxPtr box = new GUIMessageBox(2);
    box->rightSoftKey->setLook(8, new GUIAnimation(solidImage(30, 15, 0xFFFFFF)), 0, 0);
    recordEvents(menu, { GUIWidget::EVENT_SOFT_RIGHT });
    recordEvents(box, { GUIWidget::EVENT_SOFT_RIGHT });
    engine().pushScreen(menu);
    engine().pushScreen(box);
    EXPECT_EQ(tap(230, 315), box->rightSoftKey);
    EXPECT_EQ(eventLog(), (EventLog { { 2, GUIWidget::EVENT_SOFT_RIGHT } }));
}

TEST_F(GUIMessageBoxTest, ShortMessageKeepsItsScrollBarAndDoesNotScroll)
{
    engine().defaultFont = testFont();
    GUIMessageBoxPtr box = new GUIMessageBox(2);
    box->textArea->setMarkup(new vela::lang::DString(u"αα ββ"));
    engine().pushScreen(box);
    EXPECT_EQ(box->textArea->getBounds(), (GUIRect { 0, 0, 240, 240 }));
    EXPECT_EQ(box->textArea->widgetToScreen(GUIPoint { 0, 0 }).y, 40);
    EXPECT_EQ(box->scrollBar->getParent(), box);
    box->textArea->scrollDown(0);
    frame(20);
    // Neither axis leaves the text's own box: a text only a few pixels high and with no
    // width of content would otherwise be painted outside its clip.
    EXPECT_EQ(
        xy(GUIPoint { box->textArea->scrollX, box->textArea->scrollY }), std::make_pair(0, 0));
}

TEST_F(GUIMessageBoxTest, DownOnAScreenWithoutEntriesKeepsTheFocus)
{
    GUIModalScreenPtr screen = new GUIModalScreen(1);
    engine().pushScreen(screen);
    host.actions[1] = true;
    frame();
    EXPECT_EQ(screen->getFocusedChild(), nullptr);
    EXPECT_TRUE(screen->hasState(GUIWidget::STATE_FOCUSED));
}

} // namespace
