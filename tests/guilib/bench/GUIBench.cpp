// Frame cost of a full-screen menu (update + paint) and of laying out and painting help text.
#include <benchmark/benchmark.h>

#include <string>

#include "gamelib/GameContext.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIFakeHost.h"
#include "guilib/GUIModalScreen.h"
#include "guilib/GUITestAssets.h"
#include "guilib/GUIText.h"
#include "lang/DString.h"

using namespace gamelib;
using namespace guilib;
using vela::lang::DString;

namespace {

// The engine bound to a fake host for the life of one benchmark.
struct BenchEngine {
    guitest::FakeHost host;
    BenchEngine()
    {
        GameContext::get().screenWidth = host.width;
        GameContext::get().screenHeight = host.height;
        GUIEngine::getInstance()->setHost(&host);
        GUIEngine::getInstance()->defaultFont = guitest::testFont(14);
    }
    ~BenchEngine()
    {
        GUIEngine::shutdown();
        GameContext::reset();
    }
};

// A menu as the game builds it: eleven items with markup, backgrounds per state, a focused
// item's looping animation, and the soft-key labels.
GUIWidgetPtr buildMenu()
{
    ImageManagerPtr sprites = guitest::testSprites(4);
    GUIModalScreenPtr screen = new GUIModalScreen(1);
    screen->setLook(8, new GUIAnimation(guitest::solidImage(16, 16, 0x102040)), 0, 0);
    for (int32_t i = 0; i < 11; ++i) {
        GUIWidgetPtr item = screen->addChild(new GUIWidget(10 + i));
        item->setBounds(20, 10 + i * 26, 200, 24);
        item->setTabIndex(i);
        item->setMarkup(new DString(u"<VALIGN ALIGN=VCENTER><ALIGN ALIGN=CENTER>αβγ δγβ αα"));
        item->getText()->setAlignment(10);
        item->setLook(9, new GUIAnimation(0x204060, 0xFFFFFF), 0, 0);
        item->setLook(9, new GUIAnimation(0x406080, 0xFFFF00), GUIWidget::STATE_FOCUSED,
            GUIWidget::STATE_FOCUSED);
        item->setLook(0, new GUIAnimation(sprites, 0, true), GUIWidget::STATE_FOCUSED,
            GUIWidget::STATE_FOCUSED);
        item->setAction(
            GUIWidget::EVENT_FIRE, new GUIAction(GUIAction::ACTION_SET_STATE, 8, nullptr, nullptr));
    }
    screen->leftSoftKey->setMarkup(new DString(u"αβ"));
    screen->rightSoftKey->setMarkup(new DString(u"γδ"));
    return screen;
}

void BM_MenuUpdateAndPaint(benchmark::State& state)
{
    BenchEngine bench;
    GUIEngine& engine = *GUIEngine::getInstance();
    engine.pushScreen(buildMenu());
    engine.getTopScreen()->focusFirst();
    DGraphicsPtr g = vela::microedition::lcdui::DImage::createImage(240, 320)->getGraphics();
    int64_t frame = 0;
    for (auto _ : state) {
        // Move down every tenth frame so that focus, looks and scrolling change too.
        bench.host.actions[1] = (++frame % 10) == 0;
        bench.host.now += 42;
        engine.update();
        while (GUIActionPtr action = engine.pollAction())
            engine.executeAction(action);
        engine.paint(g, false);
    }
}
BENCHMARK(BM_MenuUpdateAndPaint)->Unit(benchmark::kMicrosecond);

// About 2000 characters of help text: paragraphs, breaks, alignment switches.
std::u16string helpText()
{
    std::u16string text;
    const char16_t* words[] = { u"αβγ", u"δδ", u"γαβδ", u"α", u"βγγβ", u"δαγ" };
    for (int32_t i = 0; text.size() < 2000; ++i) {
        if (i % 40 == 0)
            text += u"<P><ALIGN ALIGN=JUSTIFY>";
        text += words[i % 6];
        text += i % 40 == 39 ? u"</P>" : (i % 17 == 16 ? u"<BR>" : u" ");
    }
    return text;
}

void BM_HelpTextLayoutAndPaint(benchmark::State& state)
{
    BenchEngine bench;
    vela::lang::DStringPtr markup = new DString(helpText().c_str());
    DGraphicsPtr g = vela::microedition::lcdui::DImage::createImage(240, 320)->getGraphics();
    for (auto _ : state) {
        GUITextPtr text = new GUIText();
        text->setMarkup(markup);
        benchmark::DoNotOptimize(text->getHeight(220));
        text->paint(g, 10, 0, 220, 320);
    }
}
BENCHMARK(BM_HelpTextLayoutAndPaint)->Unit(benchmark::kMicrosecond);

} // namespace
