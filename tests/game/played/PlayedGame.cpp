// The whole game run in-process on the real data, for the tests of its screens and menus.
#include "PlayedGame.h"

#include <filesystem>

#include "gamelib/GameContext.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIText.h"
#include "microedition/media/DManager.h"
#include "sound/hssMemoryDriver.h"
#include "support/Files.h"
#include "support/TempDir.h"

using namespace gamelib;

namespace tintrow::testing {

PlayedGame::PlayedGame(int width, int height) : AppTest(0, width, height)
{
    std::filesystem::create_symlink(TINTROW_GAME_DATA, resources.folder() + "/game.dat");
    vela::microedition::media::DManager::setDriverFactory(hssCreateMemoryDriver);
}

PlayedGame::~PlayedGame()
{
    stop();
    vela::microedition::media::DManager::release();
    vela::microedition::media::DManager::setDriverFactory(nullptr);
}

void PlayedGame::start()
{
    makeApp(ScreenFlow::create);
    // The start-up waits only read the clock, as in a scripted run.
    FakeClock::advancing = true;
    app->startApp();
    FakeClock::advancing = false;
    GameContext::get().scheduler.restart();
}

void PlayedGame::restart()
{
    stop();
    start();
}

void PlayedGame::run(int ticks)
{
    for (int i = 0; i < ticks && app && app->running; ++i) {
        FakeClock::now += FrameScheduler::PERIOD;
        app->tick();
    }
}

void PlayedGame::key(int32_t code)
{
    GameContext::get().canvas->keyPressed(code);
    run();
    GameContext::get().canvas->keyReleased(code);
    run(5);
}

void PlayedGame::keys(std::initializer_list<int32_t> codes)
{
    for (int32_t code : codes)
        key(code);
}

void PlayedGame::tap(int32_t x, int32_t y)
{
    GameContext::get().canvas->pointerPressed(x, y);
    run();
    GameContext::get().canvas->pointerReleased(x, y);
    run(5);
}

ScreenFlow& PlayedGame::flow()
{
    return *vela::lang::ptrCast<ScreenFlow>(GameContext::get().game);
}

guilib::GUIWidgetPtr PlayedGame::topScreen()
{
    return guilib::GUIEngine::getInstance()->getTopScreen();
}

static void collectTexts(const guilib::GUIWidget& widget, std::string& out)
{
    if (!widget.isRequested(guilib::GUIWidget::STATE_VISIBLE))
        return;
    if (guilib::GUITextPtr text = widget.getText()) {
        vela::lang::DStringPtr shown = text->key ? text->key : text->markup;
        if (shown)
            out += shown->toUtf8() + "|";
    }
    for (int32_t layer = 0; layer < guilib::GUIWidget::LAYER_COUNT; ++layer)
        for (int32_t i = 0; i < widget.getChildCount(layer); ++i)
            collectTexts(*widget.getChild(layer, i), out);
}

std::string PlayedGame::topTexts()
{
    std::string out;
    if (guilib::GUIWidgetPtr top = topScreen())
        collectTexts(*top, out);
    return out;
}

std::string PlayedGame::storeRecord(const std::string& store, int id) const
{
    const std::string path = support::home() + "/Vandrel/Tintrow/" + store + "/" + std::to_string(id);
    return std::filesystem::exists(path) ? support::readText(path) : "";
}

} // namespace tintrow::testing
