// The game object's start-up, its screen states and the end of the application.
#include "game/ScreenFlow.h"

#include "game/MenuParts.h"
#include "gamelib/Fonts.h"
#include "gamelib/GameContext.h"
#include "gamelib/GameLib.h"
#include "gamelib/Resources.h"
#include "gamelib/ScreenCanvas.h"
#include "guilib/GUIEngine.h"
#include "lang/DSystem.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/midlet/DMIDlet.h"

using namespace vela::lang;
using gamelib::CustomControls;
using gamelib::Fonts;
using gamelib::GameContext;
using gamelib::GameFlowPtr;
using gamelib::GameLib;
using gamelib::ImageManager;
using gamelib::Resources;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using gamelib::StringManager;
using gamelib::StringManagerPtr;
using gamelib::VirtualKeyboard;
using guilib::GUIEngine;
using guilib::GUIEnginePtr;
using vela::microedition::lcdui::DGraphics;
using vela::microedition::lcdui::DGraphicsPtr;
using vela::microedition::lcdui::DImagePtr;

namespace tintrow {

namespace {

const int64_t TITLE_MILLIS = 1500;
const int32_t SOUND_VOLUME = 30;
const int32_t MUSIC_VOLUME = 20;
const int32_t CONFIGURABLE_ACTIONS = 0x1FF;
const int32_t PLAYER_KEY_SET = 1;
const int32_t TABLE_ROWS = 10;

StringManagerPtr loadStrings(const DStringPtr& name)
{
    StringManagerPtr strings = new StringManager();
    strings->load(name, true);
    return strings;
}

} // namespace

GameFlowPtr ScreenFlow::create()
{
    return new ScreenFlow();
}

ScreenFlow::ScreenFlow() : gameScreen(new GameScreen(*this)) { }

ScreenFlow::~ScreenFlow() = default;

void ScreenFlow::startUp()
{
    showTitle();
    isTouchScreen = DSystem::getIntProperty(u"input.touchscreen") != 0;
    readLanguages();
    int32_t language = StringManager::readLanguageIndex();
    askLanguage = language < 0 && languageIds->length() > 1;
    if (language < 0 || language >= languageIds->length())
        language = 0;
    GameContext::get().strings = new StringManager();
    GameContext::get().strings->load(DStringPtr(new DString(u"res_")) + languageIds->get(language) + u".dat", true);
    loadLinks(language);
    createSounds();
    gameScreen->loadGraphics();
    rules().countLevels();
    createControls();
    menuImages = new ImageManager();
    menuImages->load(u"img/Menu");
    initGui(language);
    gameScreen->buildPanel();
    createTables();
    Game& game = rules();
    game.selectedX = game.selectedY = -1;
    game.score = 0;
    game.selectedLevel = 0;
    game.highestLevel = 0;
    game.arcadeMode = false;
    game.loadSettings();
    setScreen(SCREEN_MENUS);
    GameLib::waitUntil(titleShownAt + TITLE_MILLIS);
}

void ScreenFlow::showTitle()
{
    GameContext& context = GameContext::get();
    DImagePtr background = Resources::loadImage(u"img/back");
    DImagePtr logo = Resources::loadImage(u"logo");
    titleShownAt = DSystem::currentTimeMillis();
    if (!background || !logo)
        return;
    DGraphicsPtr g = context.graphics;
    g->drawImageOpaque(background, context.screenWidth / 2, context.screenHeight / 2,
        DGraphics::HCENTER | DGraphics::VCENTER);
    g->drawImage(logo, context.screenWidth / 2, context.screenHeight * 7 / 8,
        DGraphics::HCENTER | DGraphics::BOTTOM);
    context.canvas->flushGraphics();
}

void ScreenFlow::readLanguages()
{
    StringManagerPtr index = loadStrings(new DString(u"lang.dat"));
    languageNames = StringManager::split(index->get(u"LANG"), u';');
    languageIds = StringManager::split(index->get(u"ID"), u';');
}

void ScreenFlow::loadLinks(int32_t language)
{
    DStringPtr name = DStringPtr(new DString(u"/url_")) + languageIds->get(language) + u".dat";
    urlStrings = loadStrings(Resources::archiveHolds(name) ? name : DStringPtr(new DString(u"/url.dat")));
}

void ScreenFlow::createSounds()
{
    sounds = new SoundManager();
    sounds->initGameSounds();
    sounds->setSoundVolume(SOUND_VOLUME);
    sounds->setMusicVolume(MUSIC_VOLUME);
    sounds->enabled = false;
}

void ScreenFlow::createControls()
{
    controls = new CustomControls(CONFIGURABLE_ACTIONS);
    controls->setStoreName(GameContext::get().application->getAppProperty(new DString(u"app.name")));
    GameContext::get().canvas->addKeySet(PLAYER_KEY_SET, controls->loadBindings());
}

void ScreenFlow::initGui(int32_t languageIndex)
{
    GUIEnginePtr engine = GUIEngine::getInstance();
    engine->defaultStrings = GameContext::get().strings;
    engine->defaultFont = Fonts::get(Fonts::MENU);
    engine->soundManager = sounds;
    engine->language = languageIndex;
    engine->putToken(new DString(u"%LOGO%"), Resources::loadImage(u"logo"));
    engine->putToken(new DString(u"%VENDOR_URL%"), urlStrings->get(u"VENDOR_URL"));
    engine->putToken(new DString(u"%VERSION%"), new DString(u"v1.1"));
    engine->putToken(new DString(u"%FONT_MENU%"), Fonts::get(Fonts::MENU));
    engine->putToken(new DString(u"%FONT_MENU_RED%"), Fonts::get(Fonts::MENU_RED));
    engine->putToken(new DString(u"%FONT_SCORE%"), Fonts::get(Fonts::SCORE));
    if (askLanguage) {
        push(buildLanguageChoice());
        return;
    }
    menuScreen = buildMainMenu(false);
    push(showConfirm(u"ENABLE_SOUND", ACTION_SOUND_ON, ACTION_SOUND_OFF, menuScreen, menuScreen));
}

void ScreenFlow::createTables()
{
    DStringPtr empty = GameContext::get().strings->get(u"EMPTY");
    progressTable = new HiscoreTable();
    progressTable->init(new DString(u"hs"), TABLE_ROWS, empty);
    progressTable->load();
    arcadeTable = new HiscoreTable();
    arcadeTable->init(new DString(u"hsArcade"), TABLE_ROWS, empty);
    arcadeTable->load();
}

void ScreenFlow::push(const guilib::GUIWidgetPtr& screenWidget)
{
    GUIEngine::getInstance()->pushScreen(screenWidget);
}

void ScreenFlow::tick()
{
    switch (screen) {
    case SCREEN_MENUS:
        tickMenus();
        break;
    case SCREEN_PLAYING:
        gameScreen->tick();
        break;
    case SCREEN_NAME_ENTRY:
        tickNameEntry();
        break;
    case SCREEN_CONTROLS:
        tickControls();
        break;
    default:
        break;
    }
}

void ScreenFlow::tickMenus()
{
    if (GameContext::get().scheduler.resumed)
        sounds->play(SoundManager::SOUND_MENU_MUSIC, true, 0);
    handleActions();
}

void ScreenFlow::tickNameEntry()
{
    keyboard->tick();
    if (!keyboard->done)
        return;
    HiscoreTable& table = tableOf(rules().arcadeMode);
    table.addScore(keyboard->text, rules().score);
    table.save();
    push(buildHighScores(rules().arcadeMode));
    setScreen(SCREEN_MENUS);
}

void ScreenFlow::tickControls()
{
    GameContext& context = GameContext::get();
    // The soft-key labels of the frame under the table answer taps like the keys.
    if (ScreenCanvas::pointerDown) {
        int32_t w = menu::frameWidth(menuImages, menu::ANIM_SOFT_KEY);
        int32_t h = menu::frameHeight(menuImages, menu::ANIM_SOFT_KEY);
        int32_t x = ScreenCanvas::pointerX;
        bool onSoftKeyRow = ScreenCanvas::pointerY >= context.screenHeight - h;
        int32_t softKey = !onSoftKeyRow ? -1
            : x < w ? vela::microedition::lcdui::DCanvas::SOFT_LEFT
            : x > context.screenWidth - w ? vela::microedition::lcdui::DCanvas::SOFT_RIGHT : -1;
        if (softKey >= 0) {
            ScreenCanvas::actions[softKey] = true;
            ScreenCanvas::anyKeyPressed = true;
            ScreenCanvas::lastKeyCode = 0;
            // As a key press: a cell that waits for a key takes the right soft key as "cancel".
            ScreenCanvas::lastKeyPressed = true;
        }
    }
    if (controls->tick() == CustomControls::OPEN)
        return;
    ScreenCanvas::resetActionFlags();
    GUIEngine::getInstance()->popScreen();
    setScreen(SCREEN_MENUS);
}

void ScreenFlow::paint(const DGraphicsPtr& g)
{
    switch (screen) {
    case SCREEN_PLAYING:
        gameScreen->paint(g);
        break;
    case SCREEN_NAME_ENTRY:
        keyboard->paint(g, menuBackground);
        break;
    case SCREEN_CONTROLS:
        GUIEngine::getInstance()->paint(g, false);
        controls->paint(g);
        break;
    default:
        GUIEngine::getInstance()->paint(g, false);
        break;
    }
}

void ScreenFlow::setScreen(int32_t s)
{
    GameContext& context = GameContext::get();
    ScreenCanvas::resetInput();
    context.canvas->selectKeySet(0);
    previousScreen = screen;
    screen = s;
    switch (s) {
    case SCREEN_MENUS:
        if (previousScreen == SCREEN_MENUS || previousScreen == SCREEN_CONTROLS)
            break;
        sounds->stop(SoundManager::ALL_SOUNDS, false);
        sounds->play(SoundManager::SOUND_MENU_MUSIC, true, 0);
        break;
    case SCREEN_PLAYING:
        context.canvas->selectKeySet(PLAYER_KEY_SET);
        gameScreen->show();
        break;
    case SCREEN_NAME_ENTRY:
        openNameEntry();
        break;
    case SCREEN_CONTROLS: {
        controls->prepare();
        guilib::GUIModalScreenPtr frame = makeScreenFrame(u"OK", u"BACK");
        frame->setAction(guilib::GUIWidget::EVENT_SOFT_LEFT, nullptr);
        push(frame);
        break;
    }
    default:
        break;
    }
}

// Every name entry starts empty: a keyboard kept from an earlier entry would otherwise still be
// done, holding the earlier name.
void ScreenFlow::openNameEntry()
{
    if (!keyboard)
        keyboard = new VirtualKeyboard();
    keyboard->init();
    int32_t cell = Fonts::get(Fonts::GAME)->stringWidth(new DString(u"OK")) + 4;
    keyboard->setCellSize(cell, cell);
}

void ScreenFlow::pause(bool stopSounds)
{
    if (screen != SCREEN_PLAYING || rules().turnState >= TURN_GAME_OVER)
        return;
    ScreenCanvas::resetInput();
    if (!menuScreen) {
        GUIEngine::getInstance()->popScreen();
        menuScreen = buildMainMenu(true);
        push(menuScreen);
    }
    setScreen(SCREEN_MENUS);
    refreshInGameMenu();
    rules().pauseGame();
    if (stopSounds)
        sounds->stop(SoundManager::ALL_SOUNDS, false);
}

void ScreenFlow::gameFinished()
{
    bool qualifies = tableOf(rules().arcadeMode).qualifies(rules().score);
    setScreen(qualifies ? SCREEN_NAME_ENTRY : SCREEN_MENUS);
}

void ScreenFlow::showLevelTips()
{
    push(buildTips());
    setScreen(SCREEN_MENUS);
}

void ScreenFlow::refreshInGameMenu()
{
    if (menuScreen)
        menu::action(ACTION_REFRESH_MENU)->fire(menuScreen, 0, nullptr, 0);
}

// Keeps what a player would miss: a progress game left on the board, and the settings.
void ScreenFlow::shutdown()
{
    if (screen == SCREEN_PLAYING)
        pause(true);
    if (sounds)
        rules().saveSettings();
    GUIEngine::shutdown();
    menuScreen = nullptr;
    if (sounds)
        sounds->release();
    gameScreen->release();
    controls = nullptr;
    keyboard = nullptr;
}

} // namespace tintrow
