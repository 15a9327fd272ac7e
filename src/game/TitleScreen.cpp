// The game object until the menus exist.
#include "game/TitleScreen.h"

#include "gamelib/GameContext.h"
#include "gamelib/GameLib.h"
#include "gamelib/Resources.h"
#include "gamelib/ScreenCanvas.h"
#include "io/DInputStream.h"
#include "lang/DInteger.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/midlet/DMIDlet.h"

using namespace vela::lang;
using vela::microedition::lcdui::DGraphics;
using vela::microedition::lcdui::DGraphicsPtr;

GameFlowPtr TitleScreen::create()
{
    return new TitleScreen();
}

void TitleScreen::startUp()
{
    rules = new tintrow::Game(*this);
    background = Resources::loadImage(u"img/back");
    logo = Resources::loadImage(u"logo");
    GameContext& context = GameContext::get();
    paint(context.graphics);
    context.canvas->flushGraphics();
}

void TitleScreen::tick()
{
    // The key that pausing injects is no player's key: losing the foreground must not end
    // the game.
    if (ScreenCanvas::lastKeyCode == GameLib::PAUSE_KEY) {
        ScreenCanvas::anyKeyPressed = false;
        return;
    }
    if (ScreenCanvas::anyKeyPressed || ScreenCanvas::pointerDown)
        GameContext::get().application->notifyDestroyed();
}

void TitleScreen::paint(const DGraphicsPtr& g)
{
    GameContext& context = GameContext::get();
    if (background)
        g->drawImageOpaque(background, context.screenWidth / 2, context.screenHeight / 2,
            DGraphics::HCENTER | DGraphics::VCENTER);
    if (logo)
        g->drawImage(logo, context.screenWidth / 2, context.screenHeight * 7 / 8,
            DGraphics::HCENTER | DGraphics::BOTTOM);
}

void TitleScreen::pause()
{
}

void TitleScreen::shutdown()
{
    rules = nullptr;
}

int64_t TitleScreen::currentTimeMillis()
{
    return DSystem::currentTimeMillis();
}

void TitleScreen::resetActions()
{
    ScreenCanvas::resetActionFlags();
}

DbyteArrayPtr TitleScreen::readLevel(int32_t index)
{
    vela::io::DInputStreamPtr in = Resources::openResource(DInteger::toString(index) + u".bin");
    if (!in)
        return nullptr;
    // Plain files end with an exception on a single-byte read, so read in blocks.
    DbyteArrayPtr data = new DbyteArray(in->available());
    int32_t filled = 0;
    while (filled < data->length()) {
        int32_t n = in->read(data, filled, data->length() - filled);
        if (n <= 0)
            break;
        filled += n;
    }
    in->close();
    return data;
}
