// Controls: the scroll bar's thumb over long and short content; the message box's soft keys and short texts.
#include "GUITestAssets.h"
#include "GUITestSupport.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIMessageBox.h"
#include "guilib/GUIVScrollBar.h"
#include "lang/DString.h"

using namespace gamelib;
using namespace guilib;
using namespace guitest;

namespace {

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

TEST_F(GUIScrollBarTest, DraggingTheThumbScrollsInProportionAndContentThatFitsScrollsNothing)
{
    press(220, 20);
    dragTo(220, 50);
    // The pointer (40 below the track top) minus half the thumb: 30 of a 60-pixel travel.
    EXPECT_EQ(std::make_pair(bar->thumb->boundsY, list->scrollY), std::make_pair(30, 150));
    dragTo(220, 300);
    EXPECT_EQ(std::make_pair(bar->thumb->boundsY, list->scrollY), std::make_pair(60, 300));
    release();
    list->setScrollPosition(0, 0);
    list->getChild(0, 0)->setSize(200, 60);
    list->computeContentRect();
    GUIActionPtr sync = action(GUIAction::ACTION_SYNC_THUMB, 0, bar->thumb);
    sync->source = list;
    engine().executeAction(sync);
    press(220, 20);
    dragTo(220, 70);
    EXPECT_EQ(list->scrollY, 0);
    EXPECT_LE(bar->thumb->boundsY, 60);
}

class GUIMessageBoxTest : public GUITest { };

TEST_F(GUIMessageBoxTest, ATapOnASoftKeyLabelActsOnTheTopScreenAndAShortTextStaysInItsBox)
{
    GUIModalScreenPtr menu = new GUIModalScreen(1);
    GUIMessageBoxPtr box = new GUIMessageBox(2);
    box->rightSoftKey->setLook(8, new GUIAnimation(solidImage(30, 15, 0xFFFFFF)), 0, 0);
    recordEvents(menu, {GUIWidget::EVENT_SOFT_RIGHT});
    recordEvents(box, {GUIWidget::EVENT_SOFT_RIGHT});
    engine().defaultFont = testFont();
    box->textArea->setMarkup(new vela::lang::DString(u"αα ββ"));
    engine().pushScreen(menu);
    engine().pushScreen(box);
    EXPECT_EQ(tap(230, 315), box->rightSoftKey);
    EXPECT_EQ(eventLog(), (EventLog{{2, GUIWidget::EVENT_SOFT_RIGHT}}));
    EXPECT_EQ(box->scrollBar->getParent(), box);
    box->textArea->scrollDown(0);
    frame(20);
    // Neither axis leaves the text's own box: a text only a few pixels high and with no
    // width of content would otherwise be painted outside its clip.
    EXPECT_EQ(xy(GUIPoint{box->textArea->scrollX, box->textArea->scrollY}), std::make_pair(0, 0));
}

} // namespace
