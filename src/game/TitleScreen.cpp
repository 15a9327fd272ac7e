// The game object until the menus exist: title, then level 0 on the game screen.
#include "game/TitleScreen.h"

#include "gamelib/CustomControls.h"
#include "gamelib/GameContext.h"
#include "gamelib/GameLib.h"
#include "gamelib/Resources.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/StringManager.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/midlet/DMIDlet.h"

using namespace vela::lang;
using vela::microedition::lcdui::DGraphics;
using vela::microedition::lcdui::DGraphicsPtr;

namespace {

// Key set 1 holds the player's bindings; 0 is the default key map.
const int32_t PLAYER_KEYS = 1;
const int32_t DEFAULT_KEYS = 0;
const int32_t CONFIGURABLE_ACTIONS = 0x1FF;
const uint8_t DEFAULT_SOUND_VOLUME = 30;
const uint8_t DEFAULT_MUSIC_VOLUME = 20;

}

GameFlowPtr TitleScreen::create()
{
    return new TitleScreen();
}

void TitleScreen::startUp()
{
    GameContext& context = GameContext::get();
    background = Resources::loadImage(u"img/back");
    logo = Resources::loadImage(u"logo");
    paintTitle(context.graphics);
    context.canvas->flushGraphics();
    loadStrings();
    // Sound stays off. The default volumes are only kept, not set: setting them would start
    // the audio device for nothing. Stored settings still apply, so that a level won here
    // never writes back lower volumes or a lower highest level.
    sounds = new SoundManager();
    sounds->initGameSounds();
    sounds->enabled = false;
    sounds->soundVolume = DEFAULT_SOUND_VOLUME;
    sounds->musicVolume = DEFAULT_MUSIC_VOLUME;
    CustomControlsPtr controls = new CustomControls(CONFIGURABLE_ACTIONS);
    controls->setStoreName(context.application->getAppProperty(new DString(u"app.name")));
    context.canvas->addKeySet(PLAYER_KEYS, controls->loadBindings());
    context.canvas->selectKeySet(DEFAULT_KEYS);
    screen = new tintrow::GameScreen(*this);
    screen->loadGraphics();
    screen->buildPanel();
    screen->rules().countLevels();
    screen->rules().loadSettings();
}

// The strings of the stored language, else of the first one.
void TitleScreen::loadStrings()
{
    StringManagerPtr languages = new StringManager();
    languages->load(new DString(u"lang.dat"), true);
    DStringArrayPtr ids = StringManager::split(languages->get(u"ID"), u';');
    int32_t index = StringManager::readLanguageIndex();
    if (index < 0 || index >= ids->length())
        index = 0;
    GameContext::get().strings = new StringManager();
    GameContext::get().strings->load(u"res_" + ids->get(index) + u".dat", true);
}

void TitleScreen::tick()
{
    if (playing) {
        screen->tick();
        return;
    }
    // The key that pausing injects is no player's key: losing the foreground must not start
    // a game.
    if (ScreenCanvas::lastKeyCode == GameLib::PAUSE_KEY) {
        ScreenCanvas::anyKeyPressed = false;
        return;
    }
    if (!ScreenCanvas::anyKeyPressed && !ScreenCanvas::pointerDown)
        return;
    playing = true;
    screen->rules().startNewGame(0, false);
}

void TitleScreen::paint(const DGraphicsPtr& g)
{
    if (playing)
        screen->paint(g);
    else
        paintTitle(g);
}

void TitleScreen::paintTitle(const DGraphicsPtr& g)
{
    GameContext& context = GameContext::get();
    g->setClip(0, 0, context.screenWidth, context.screenHeight);
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
    if (screen)
        screen->release();
    screen = nullptr;
    if (sounds)
        sounds->release();
    sounds = nullptr;
}

void TitleScreen::pause(bool)
{
    ScreenCanvas::resetActionFlags();
}

void TitleScreen::gameFinished()
{
    playing = false;
    ScreenCanvas::resetInput();
    GameContext::get().canvas->selectKeySet(DEFAULT_KEYS);
}

// No tips screen yet: play begins at once, as the tips screen's start action would begin it.
void TitleScreen::showLevelTips()
{
    screen->rules().startPlay();
    ScreenCanvas::resetActionFlags();
    GameContext::get().canvas->selectKeySet(PLAYER_KEYS);
    screen->show();
}

SoundManager& TitleScreen::soundManager()
{
    return *sounds;
}
