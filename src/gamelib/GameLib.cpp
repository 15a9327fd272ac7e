// The application object: start-up, the scheduler's ticks, pausing and ending.
#include "gamelib/GameLib.h"

#include "gamelib/Fonts.h"
#include "gamelib/GameContext.h"
#include "gamelib/Resources.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/StringManager.h"
#include "io/DArchive.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "lang/HostHooks.h"
#include "microedition/lcdui/DDisplay.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "util/DRandom.h"

#include <algorithm>
#include <iterator>

using namespace vela::lang;
using vela::microedition::lcdui::DFont;
using vela::microedition::lcdui::DGraphics;
using vela::microedition::lcdui::DGraphicsPtr;
using vela::microedition::lcdui::DImagePtr;

namespace gamelib {

namespace {

const char16_t VERSION[] = u"v" TINTROW_VERSION;
const char16_t LOGO_IMAGE[] = u"img/vandrel";
const int32_t WHITE = 0xFFFFFF;
const int32_t BLACK = 0x000000;
const int32_t UNSUPPORTED_LINE_GAP = 5;
const char16_t* const UNSUPPORTED_TEXTS[] = {u"This screen", u"resolution is", u"not supported!", u"Exit"};
const int32_t UNSUPPORTED_LINES = 3;
const int32_t EXIT_TEXT = 3;

}

// Sleeps between clock reads where the clock can sleep; a scripted run's virtual clock cannot,
// and moves on by each read instead.
void GameLib::waitUntil(int64_t deadline)
{
    for (int64_t now = DSystem::currentTimeMillis(); now < deadline; now = DSystem::currentTimeMillis())
        vela::lang::host::sleepFor(uint32_t(deadline - now));
}

GameLib::GameLib(GameFlowFactory factory)
    : factory(factory), unsupportedTexts(new DStringArray(int32_t(std::size(UNSUPPORTED_TEXTS))))
{
    for (int32_t i = 0; i < unsupportedTexts->length(); ++i)
        unsupportedTexts->set(i, new DString(UNSUPPORTED_TEXTS[i]));
}

GameLib::~GameLib() = default;

DStringPtr GameLib::getAppProperty(DStringPtr key)
{
    if (key && key->equals(u"app.name"))
        return new DString(u"Tintrow");
    return nullptr;
}

void GameLib::drawUnsupportedScreen(const DGraphicsPtr& g)
{
    GameContext& context = GameContext::get();
    g->setFont(DFont::getDefaultFont());
    g->setColor(BLACK);
    const int32_t step = g->getFont()->getHeight() + UNSUPPORTED_LINE_GAP;
    const int32_t x = context.screenWidth / 2;
    const int32_t y = context.screenHeight / 2;
    for (int32_t line = 0; line < UNSUPPORTED_LINES; ++line)
        g->drawString(unsupportedTexts->get(line), x, y + (line - 1) * step, DGraphics::HCENTER);
}

void GameLib::startApp()
{
    GameContext& context = GameContext::get();
    context.application = this;
    context.scheduler.restart();
    Resources::setSearchPath(DStringPtr(new DString()));
    vela::io::openArchive(DSystem::getProperty(u"archive.name"));
    context.canvas = new ScreenCanvas();
    display->setCurrent(context.canvas);
    if (!checkScreenSize())
        return;
    applyResolutionFile();
    Fonts::loadFonts(new DString());
    context.game = nullptr;
    showLogo();
    createGame();
    context.scheduler.resumed = false;
    context.scheduler.restart();
}

// False (and the application ended after the message) when the size is not supported.
bool GameLib::checkScreenSize()
{
    GameContext& context = GameContext::get();
    context.screenSupported = Resources::isResolutionSupported(context.screenWidth, context.screenHeight);
    if (context.screenSupported)
        return true;
    // The fresh back buffer is black, where the original host showed its white window: without
    // this the black message would be invisible.
    context.graphics->setColor(WHITE);
    context.graphics->fillRect(0, 0, context.screenWidth, context.screenHeight);
    drawUnsupportedScreen(context.graphics);
    context.canvas->flushGraphics();
    waitUntil(DSystem::currentTimeMillis() + SPLASH_MILLIS);
    notifyDestroyed();
    return false;
}

void GameLib::applyResolutionFile()
{
    GameContext& context = GameContext::get();
    StringManagerPtr settings = new StringManager();
    settings->load(Resources::resolutionFileName(context.screenWidth, context.screenHeight), false);
    Resources::setSearchPath(settings->get(u"PATH"));
}

void GameLib::showLogo()
{
    GameContext& context = GameContext::get();
    const int64_t start = DSystem::currentTimeMillis();
    DImagePtr logo = Resources::loadImage(LOGO_IMAGE);
    DGraphicsPtr g = context.graphics;
    g->setColor(WHITE);
    g->setClip(0, 0, context.screenWidth, context.screenHeight);
    g->fillRect(0, 0, context.screenWidth, context.screenHeight);
    if (logo)
        g->drawImage(logo, context.screenWidth / 2, context.screenHeight / 2,
            DGraphics::HCENTER | DGraphics::VCENTER);
    g->setColor(BLACK);
    g->drawString(new DString(VERSION), 0, 0, 0);
    context.canvas->flushGraphics(); // a still picture: once is enough
    waitUntil(start + SPLASH_MILLIS);
}

void GameLib::createGame()
{
    GameContext& context = GameContext::get();
    releaseGame();
    context.game = factory();
    context.random = new vela::util::DRandom(DSystem::currentTimeMillis());
    ScreenCanvas::hiddenSequence.reset();
    context.game->startUp();
}

void GameLib::releaseGame()
{
    GameContext& context = GameContext::get();
    if (!context.game)
        return;
    GameFlowPtr game = context.game;
    context.game = nullptr;
    game->shutdown();
}

void GameLib::tick()
{
    GameContext& context = GameContext::get();
    if (!context.screenSupported) {
        tickUnsupported();
        return;
    }
    context.scheduler.pass(*this);
}

void GameLib::tickUnsupported()
{
    GameContext& context = GameContext::get();
    context.canvas->takeKeyEvent();
    DGraphicsPtr g = context.graphics;
    drawUnsupportedScreen(g);
    g->drawString(unsupportedTexts->get(EXIT_TEXT), 1, context.screenHeight - 1, DGraphics::LEFT | DGraphics::BOTTOM);
    context.canvas->flushGraphics();
    if ((ScreenCanvas::actions[vela::microedition::lcdui::DCanvas::SOFT_LEFT] || ScreenCanvas::pointerDown)
        && context.game) {
        releaseGame();
        notifyDestroyed();
    }
    ScreenCanvas::tickSawPointer();
}

// The loop sleeps until the next tick instead of waking every few milliseconds to find none.
int32_t GameLib::millisUntilDue()
{
    FrameScheduler& scheduler = GameContext::get().scheduler;
    int64_t wait = scheduler.lastTick + FrameScheduler::PERIOD - scheduler.now();
    return int32_t(std::min<int64_t>(std::max<int64_t>(wait, 0), FrameScheduler::PERIOD));
}

void GameLib::runTick()
{
    GameContext& context = GameContext::get();
    context.canvas->takeKeyEvent();
    context.game->tick();
    ScreenCanvas::tickSawPointer();
}

void GameLib::paintFrame()
{
    GameContext& context = GameContext::get();
    context.game->paint(context.graphics);
    context.canvas->flushGraphics();
}

void GameLib::pauseApp()
{
    GameContext& context = GameContext::get();
    context.scheduler.resumed = true;
    if (context.game)
        context.game->pause();
    context.canvas->keyPressed(PAUSE_KEY);
    context.canvas->keyReleased(PAUSE_KEY);
    context.canvas->selectKeySet(0);
}

void GameLib::destroyApp(bool)
{
    releaseGame();
    Fonts::release();
    vela::io::closeArchive();
    GameContext::reset();
}

} // namespace gamelib
