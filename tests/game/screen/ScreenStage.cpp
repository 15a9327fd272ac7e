// A game screen on the real game data, without a window.
#include "ScreenStage.h"

#include <filesystem>

#include "gamelib/Fonts.h"
#include "gamelib/GameContext.h"
#include "gamelib/Resources.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/StringManager.h"
#include "guilib/GUIEngine.h"
#include "io/DArchive.h"
#include "microedition/media/DManager.h"
#include "sound/hssMemoryDriver.h"
#include "support/Files.h"

using namespace vela::lang;
using namespace gamelib;
using vela::microedition::media::DManager;

namespace tintrow::testing {

ScreenStage::ScreenStage(int32_t w, int32_t h, bool sound) : window(w, h)
{
    std::filesystem::create_symlink(TINTROW_GAME_DATA, resources.folder() + "/game.dat");
    GameContext::reset();
    display = new vela::microedition::lcdui::DDisplay(&window);
    GameContext::get().canvas = new ScreenCanvas();
    display->setCurrent(GameContext::get().canvas);
    ScreenCanvas::resetInput();
    ScreenCanvas::resetActionFlags();
    ScreenCanvas::hiddenSequence.reset();
    vela::io::openArchive(new DString(u"game.dat"));
    StringManagerPtr settings = new StringManager();
    settings->load(Resources::resolutionFileName(w, h), false);
    Resources::setSearchPath(settings->get(u"PATH"));
    Fonts::loadFonts(new DString());
    GameContext::get().strings = new StringManager();
    GameContext::get().strings->load(new DString(u"res_en.dat"), true);
    // Silent or not, the engine mixes into memory: no test opens the machine's audio device.
    DManager::setDriverFactory(hssCreateMemoryDriver);
    sounds = new SoundManager();
    sounds->initGameSounds();
    sounds->enabled = sound;
    gameScreen = new GameScreen(*this);
    gameScreen->loadGraphics();
    gameScreen->buildPanel();
    gameScreen->rules().countLevels();
}

ScreenStage::~ScreenStage()
{
    gameScreen->release();
    sounds->release();
    DManager::release();
    DManager::setDriverFactory(nullptr);
    guilib::GUIEngine::shutdown();
    Fonts::release();
    display->setCurrent(nullptr);
    GameContext::reset();
}

void ScreenStage::writeLevel(int32_t index, const LevelDesign& design)
{
    support::writeFile(resources.folder() + "/" + std::to_string(index) + ".bin", design.bytes());
}

void ScreenStage::startLevel(int32_t level, int64_t seed)
{
    rules().random->setSeed(seed);
    rules().highestLevel = level;
    rules().startNewGame(level, false);
    rules().startPlay();
    gameScreen->show();
    gameScreen->clearParticles();
    pauses = finished = tips = 0;
}

void ScreenStage::tick()
{
    FakeClock::now += 42;
    GameContext::get().canvas->takeKeyEvent();
    gameScreen->tick();
    ScreenCanvas::tickSawPointer();
}

void ScreenStage::paint()
{
    gameScreen->paint(GameContext::get().graphics);
    GameContext::get().canvas->flushGraphics();
}

} // namespace tintrow::testing
