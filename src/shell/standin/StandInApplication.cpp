// Stands in for the game until the game library provides the application: a test card that
// shows the graphics operations and echoes the keys and stylus events it receives.
#include "host/Surface.h"
#include "lang/DString.h"
#include "microedition/lcdui/DCanvas.h"
#include "microedition/lcdui/DDisplay.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/lcdui/game/DGameCanvas.h"
#include "microedition/midlet/DMIDlet.h"
#include "shell/ApplicationFactory.h"
#include "shell/SplashPicture.h"

#include <cstdio>
#include <string>

using namespace vela;
using namespace vela::microedition::lcdui;

namespace {

struct Bar {
    int32_t rgb;
};
const Bar COLOUR_BARS[] = {{0xFF0000}, {0x00FF00}, {0x0000FF}, {0xFFFF00}, {0x00FFFF}, {0xFF00FF}, {0x000000}};

class TestCard : public game::DGameCanvas {
public:
    TestCard()
    {
        host::Surface ball(64, 64, host::KEY_COLOUR);
        drawSplashPicture(ball);
        for (uint16_t& p : ball.pixels) // the picture's white corners become see-through
            if (p == 0xFFFF)
                p = host::KEY_COLOUR;
        picture = new DImage(std::move(ball));
    }

    void showNotify() override { dirty = true; }
    void keyPressed(int32_t code) override { echo("key pressed", code); }
    void keyRepeated(int32_t code) override { echo("key repeated", code); }
    void keyReleased(int32_t code) override { echo("key released", code); }
    void pointerPressed(int32_t x, int32_t y) override { echoPoint("pressed", x, y); }
    void pointerDragged(int32_t x, int32_t y) override { echoPoint("dragged", x, y); }
    void pointerReleased(int32_t x, int32_t y) override { echoPoint("released", x, y); }

    // Repaints only after a change, so an idle card costs nothing.
    void update()
    {
        if (!dirty)
            return;
        dirty = false;
        draw(getGraphics());
        flushGraphics();
    }

private:
    void echo(const char* what, int32_t code)
    {
        lastEvent = std::string(what) + ": " + getKeyName(code)->toUtf8();
        dirty = true;
    }

    void echoPoint(const char* what, int32_t x, int32_t y)
    {
        lastEvent = "stylus " + std::string(what) + " at " + std::to_string(x) + ", " + std::to_string(y);
        dirty = true;
    }

    void draw(DGraphicsPtr g)
    {
        int32_t w = getWidth(), h = getHeight();
        g->setColor(0xFFFFFF);
        g->fillRect(0, 0, w, h);
        int32_t n = int32_t(sizeof COLOUR_BARS / sizeof COLOUR_BARS[0]);
        for (int32_t i = 0; i < n; ++i) {
            g->setColor(COLOUR_BARS[i].rgb);
            g->fillRect(i * w / n, 0, (i + 1) * w / n - i * w / n, h / 8);
        }
        g->setColor(0x404040);
        g->drawRect(4, h / 8 + 4, w - 9, h - h / 8 - 9);
        g->drawLine(4, h / 8 + 4, w - 5, h - 5);
        g->drawImage(picture, w / 2, h / 2, DGraphics::HCENTER | DGraphics::VCENTER);
        drawShade(g, w, h);
        g->setColor(0x000000);
        g->drawString(new lang::DString(u"Tintrow"), w / 2, h / 8 + 8, DGraphics::HCENTER | DGraphics::TOP);
        g->drawString(new lang::DString(u"not playable yet"), w / 2, h / 8 + 8 + g->getFont()->getHeight(),
                      DGraphics::HCENTER | DGraphics::TOP);
        g->drawString(lang::DString::fromUtf8(lastEvent), w / 2, h - 8, DGraphics::HCENTER | DGraphics::BOTTOM);
    }

    // A half-transparent band across the picture shows the alpha transfer.
    void drawShade(const DGraphicsPtr& g, int32_t w, int32_t h)
    {
        lang::DintArrayPtr band = new lang::DintArray(w * 8);
        for (int32_t i = 0; i < w * 8; ++i)
            band[i] = int32_t(0x80FF8000u);
        g->drawRGB(band, 0, w, 0, h / 2 - 4, w, 8, true);
    }

    DImagePtr picture;
    std::string lastEvent = "press a key or tap";
    bool dirty = true;
};

class StandInApplication : public microedition::midlet::DMIDlet {
public:
    void startApp() override
    {
        std::fputs("tintrow: the game is not playable yet; showing the test card\n", stderr);
        card = new TestCard();
        display->setCurrent(card);
    }
    void tick() override { card->update(); }
    void destroyApp(bool) override { card = nullptr; }
    lang::DStringPtr getAppProperty(lang::DStringPtr key) override
    {
        return key && key->equals(u"app.name") ? new lang::DString(u"Tintrow") : nullptr;
    }

private:
    lang::DPtr<TestCard> card;
};

} // namespace

microedition::midlet::DMIDletPtr createApplication()
{
    return new StandInApplication();
}
