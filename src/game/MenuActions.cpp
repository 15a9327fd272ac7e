// The menus' action handler: languages, sound, starting, continuing and restarting games.
#include "game/MenuParts.h"
#include "game/ScreenFlow.h"
#include "gamelib/GameContext.h"
#include "gamelib/ScreenCanvas.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUISlider.h"
#include "lang/DInteger.h"
#include "util/DVector.h"

using namespace vela::lang;
using namespace tintrow::menu;
using gamelib::GameContext;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using gamelib::StringManager;
using guilib::GUIAction;
using guilib::GUIActionPtr;
using guilib::GUIEngine;
using guilib::GUIEnginePtr;
using guilib::GUIWidget;
using guilib::GUIWidgetPtr;

namespace tintrow {

namespace {

const int32_t LANGUAGE_LIMIT = 100;

bool onStack(const GUIWidgetPtr& widget)
{
    return GUIEngine::getInstance()->screens->indexOf(widget) >= 0;
}

} // namespace

void ScreenFlow::handleActions()
{
    GUIEnginePtr engine = GUIEngine::getInstance();
    engine->update();
    while (GUIActionPtr a = engine->pollAction()) {
        if (a->type >= GUIAction::ACTION_APPLICATION)
            handleAction(*a);
        engine->executeAction(a);
    }
}

void ScreenFlow::handleAction(GUIAction& a)
{
    const int32_t code = a.type;
    Game& game = rules();
    if (code >= ACTION_CHOOSE_LANGUAGE && code < ACTION_CHOOSE_LANGUAGE + LANGUAGE_LIMIT) {
        chooseLanguage(code - ACTION_CHOOSE_LANGUAGE);
        return;
    }
    if (code >= ACTION_START_ARCADE && code < ACTION_START_PROGRESS - 1) {
        startLevel(code - ACTION_START_ARCADE, true, code);
        return;
    }
    if (code >= ACTION_START_PROGRESS && code < ACTION_OPEN_LINK - 1) {
        startLevel(code - ACTION_START_PROGRESS, false, code);
        return;
    }
    switch (code) {
    case ACTION_OPEN_LINK:
        openLink(ptrCastOrNull<DString>(a.target));
        break;
    case ACTION_SOUND_ON:
        setSoundEnabled(true);
        break;
    case ACTION_SOUND_OFF:
        setSoundEnabled(false);
        break;
    case ACTION_PREVIOUS_LANGUAGE:
    case ACTION_NEXT_LANGUAGE:
        stepLanguage(code == ACTION_NEXT_LANGUAGE ? 1 : -1, a.source);
        break;
    case ACTION_REFRESH_SETTINGS:
        refreshSettings(a.source);
        break;
    case ACTION_TOGGLE_SOUND:
        setSoundEnabled(!sounds->enabled);
        refreshSettings(GUIEngine::getInstance()->getTopScreen());
        break;
    case ACTION_SETTINGS_CLOSED:
        game.saveSettings();
        break;
    case ACTION_CONTROLS:
        setScreen(SCREEN_CONTROLS);
        break;
    case ACTION_PROGRESS_GAME:
        progressGame();
        break;
    case ACTION_FORGET_PAUSED_GAME:
        game.gamePaused = false;
        break;
    case ACTION_REFRESH_LANGUAGE_ITEM: {
        GUIWidgetPtr top = GUIEngine::getInstance()->getTopScreen();
        refreshLanguageItem(top ? top->findChild(ID_LANGUAGE_ITEM, true) : nullptr);
        break;
    }
    case ACTION_CONTINUE:
        continuePaused();
        break;
    case ACTION_RESTART_LEVEL:
        restartLevel();
        break;
    case ACTION_CONTINUE_PROGRESS:
        continueProgress();
        break;
    case ACTION_NEW_PROGRESS_GAME:
        newProgressGame();
        break;
    case ACTION_START_PLAY:
        startPlay();
        break;
    case ACTION_PROGRESS_SCORES:
    case ACTION_ARCADE_SCORES:
        push(buildHighScores(code == ACTION_ARCADE_SCORES));
        break;
    case ACTION_REFRESH_LEVELS:
        refreshLevelChoice(a.source);
        break;
    case ACTION_REFRESH_MENU:
        refreshMenu();
        break;
    case ACTION_OPEN_ARCADE_LEVELS:
        push(buildLevelChoice(true));
        break;
    case ACTION_OPEN_SETTINGS:
        push(buildSettings());
        break;
    case ACTION_OPEN_SCORE_CHOICE:
        push(buildModeChoice());
        break;
    case ACTION_OPEN_HELP:
        push(buildHelp());
        break;
    case ACTION_OPEN_MORE_GAMES:
        push(buildMoreGames());
        break;
    case ACTION_OPEN_ABOUT:
        push(buildAbout());
        break;
    case ACTION_OPEN_EXIT_QUESTION:
        push(showConfirm(u"EXIT_GAME", GUIAction::ACTION_EXIT, -1, nullptr, nullptr));
        break;
    case ACTION_OPEN_NEW_OR_CONTINUE:
        askNewOrContinue();
        break;
    case ACTION_DISPOSE_SCREEN:
        if (a.source && !onStack(a.source))
            disposeTree(a.source);
        break;
    default:
        break;
    }
}

void ScreenFlow::chooseLanguage(int32_t index)
{
    if (index < 0 || index >= languageIds->length())
        return;
    GUIEnginePtr engine = GUIEngine::getInstance();
    GameContext::get().strings->load(DStringPtr(new DString(u"res_")) + languageIds->get(index) + u".dat", true);
    engine->language = index;
    loadLinks(index);
    engine->putToken(new DString(u"%VENDOR_URL%"), urlStrings->get(u"VENDOR_URL"));
    StringManager::writeLanguageIndex(index);
}

// The arrows of the language item (or its keys) step through the languages, round and round.
void ScreenFlow::stepLanguage(int32_t step, const GUIWidgetPtr& source)
{
    int32_t count = languageNames->length();
    chooseLanguage((GUIEngine::getInstance()->language + step + count) % count);
    GUIWidgetPtr item = source;
    if (item && item->id != ID_LANGUAGE_ITEM)
        item = item->getParent();
    refreshLanguageItem(item);
}

void ScreenFlow::startLevel(int32_t level, bool arcade, int32_t code)
{
    Game& game = rules();
    if (arcade && game.gamePaused && game.arcadeMode) {
        push(showConfirm(u"TERMINATE_CURRENT_GAME", ACTION_FORGET_PAUSED_GAME, -1, nullptr, nullptr));
        // Yes also asks again for the level, now that no game is paused.
        chain(GUIEngine::getInstance()->getTopScreen()->getAction(GUIWidget::EVENT_SOFT_LEFT), action(code));
        return;
    }
    if (level >= game.levelCount)
        return;
    // A locked level changes nothing, not even the level a paused game would restart.
    if (level > game.highestLevel) {
        GUIEngine::getInstance()->putToken(new DString(u"%CUR_LEVEL_NUM%"), DInteger::toString(level + 1));
        push(showMessage(u"LEVEL_UNAVAILABLE", u"OK", 0, nullptr, 0));
        return;
    }
    GUIEngine::getInstance()->popScreen();
    game.startNewGame(level, arcade);
}

void ScreenFlow::progressGame()
{
    Game& game = rules();
    bool noProgress = game.highestLevel < 1 && !game.hasSavedGame();
    if (game.gamePaused && game.arcadeMode) {
        push(showMessage(u"TERMINATE_CURRENT_GAME", u"YES",
            noProgress ? ACTION_CONTINUE_PROGRESS : ACTION_OPEN_NEW_OR_CONTINUE, u"NO", 0));
        return;
    }
    if (noProgress) {
        game.startNewGame(0, false);
        return;
    }
    askNewOrContinue();
}

void ScreenFlow::askNewOrContinue()
{
    push(showMessage(u"ASK_NEW_CONTINUE", u"YES", ACTION_CONTINUE_PROGRESS, u"NEW_GAME",
        ACTION_NEW_PROGRESS_GAME));
}

void ScreenFlow::continuePaused()
{
    if (!rules().gamePaused)
        return;
    setScreen(SCREEN_PLAYING);
    rules().resume();
}

void ScreenFlow::restartLevel()
{
    if (rules().gamePaused) {
        push(showConfirm(u"TERMINATE_CURRENT_GAME", ACTION_FORGET_PAUSED_GAME, -1, nullptr, nullptr));
        chain(GUIEngine::getInstance()->getTopScreen()->getAction(GUIWidget::EVENT_SOFT_LEFT),
            action(ACTION_RESTART_LEVEL));
        return;
    }
    rules().restartLevel();
}

void ScreenFlow::continueProgress()
{
    if (rules().continueProgress())
        setScreen(SCREEN_PLAYING);
}

void ScreenFlow::newProgressGame()
{
    if (rules().highestLevel < 1) {
        rules().startNewGame(0, false);
        return;
    }
    push(buildLevelChoice(false));
}

void ScreenFlow::startPlay()
{
    rules().startPlay();
    ScreenCanvas::resetActionFlags();
    setScreen(SCREEN_PLAYING);
}

void ScreenFlow::refreshLevelChoice(const GUIWidgetPtr& source)
{
    GUIWidgetPtr list = source ? source->findChild(ID_LEVEL_LIST, true) : nullptr;
    if (!list)
        return;
    int32_t highest = rules().highestLevel;
    for (int32_t i = 0; i < rules().levelCount; ++i) {
        GUIWidgetPtr item = list->findChild(ID_FIRST_LEVEL_ITEM + i, false);
        if (!item)
            continue;
        item->setStateNow(GUIWidget::STATE_ENABLED, i <= highest);
        if (i == highest)
            item->requestFocus(true);
    }
}

void ScreenFlow::refreshMenu()
{
    if (!menuScreen)
        return;
    bool paused = rules().gamePaused;
    GUIWidgetPtr list = menuScreen->findChild(ID_MAIN_LIST, true);
    for (int32_t id : {ID_CONTINUE_ITEM, ID_RESTART_ITEM})
        list->findChild(id, false)->setStateNow(GUIWidget::STATE_VISIBLE, paused);
    stackItems(list, slotHeight(menuImages, 8));
    // Back from a game, the first thing a player wants is to go on with it.
    if (paused)
        list->findChild(ID_CONTINUE_ITEM, false)->requestFocus(true);
}

void ScreenFlow::openLink(const DStringPtr& url)
{
    if (!url || url->length() == 0)
        return;
    GUIEngine::getInstance()->getHost().platformRequest(url);
    GUIEngine::getInstance()->getHost().notifyDestroyed();
}

void ScreenFlow::setSoundEnabled(bool on)
{
    sounds->enabled = on;
    if (on)
        sounds->play(SoundManager::SOUND_MENU_MUSIC, true, 0);
    else
        sounds->stop(SoundManager::ALL_SOUNDS, false);
}

void ScreenFlow::refreshSettings(const GUIWidgetPtr& settings)
{
    if (!settings)
        return;
    bool on = sounds->enabled;
    if (GUIWidgetPtr entry = settings->findChild(ID_SOUND_ENTRY, true))
        entry->setTextKey(new DString(on ? u"SOUND_ON" : u"SOUND_OFF"));
    const int32_t volumes[][2] = {{ID_SOUND_VOLUME, sounds->soundVolume}, {ID_MUSIC_VOLUME, sounds->musicVolume}};
    for (const auto& v : volumes) {
        guilib::GUISliderPtr slider = ptrCastOrNull<guilib::GUISlider>(settings->findChild(v[0], true));
        if (!slider)
            continue;
        slider->setStateNow(GUIWidget::STATE_ENABLED, on);
        // Shown even while disabled, so the value is set without announcing a change.
        slider->value = v[1];
    }
}

} // namespace tintrow
