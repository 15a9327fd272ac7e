// The game object: start-up, the screen states, the menus and every screen reached from them.
#pragma once

#include <cstdint>

#include "game/GameScreen.h"
#include "game/GameScreenHost.h"
#include "game/ScreenFlow.ptr"
#include "game/rules/HiscoreTable.h"
#include "gamelib/CustomControls.h"
#include "gamelib/GameFlow.h"
#include "gamelib/ImageManager.h"
#include "gamelib/SoundManager.h"
#include "gamelib/StringManager.h"
#include "gamelib/VirtualKeyboard.h"
#include "guilib/GUIModalScreen.h"
#include "lang/DString.h"

namespace tintrow {

// Application actions of the menus, as the GUI engine queues them.
enum MenuAction : int32_t {
    ACTION_CHOOSE_LANGUAGE = 0x10002,  // + language index
    ACTION_START_ARCADE = 0x10067,  // + level index
    ACTION_START_PROGRESS = 0x1025C,  // + level index
    ACTION_OPEN_LINK = 0x10451,
    ACTION_SOUND_ON = 0x10452,
    ACTION_SOUND_OFF = 0x10453,
    ACTION_PREVIOUS_LANGUAGE = 0x10454,
    ACTION_NEXT_LANGUAGE = 0x10455,
    ACTION_REFRESH_SETTINGS = 0x10456,
    ACTION_TOGGLE_SOUND = 0x10457,
    ACTION_SETTINGS_CLOSED = 0x10458,
    ACTION_CONTROLS = 0x10459,
    ACTION_PROGRESS_GAME = 0x1045D,
    ACTION_FORGET_PAUSED_GAME = 0x1045E,
    ACTION_REFRESH_LANGUAGE_ITEM = 0x1045F,
    ACTION_CONTINUE = 0x10460,
    ACTION_RESTART_LEVEL = 0x10461,
    ACTION_CONTINUE_PROGRESS = 0x10462,
    ACTION_NEW_PROGRESS_GAME = 0x10463,
    ACTION_START_PLAY = 0x10464,
    ACTION_PROGRESS_SCORES = 0x10465,
    ACTION_ARCADE_SCORES = 0x10466,
    ACTION_REFRESH_LEVELS = 0x10467,
    ACTION_REFRESH_MENU = 0x10469,
    // Screens that are built anew each time they open, and forgotten when they close.
    ACTION_OPEN_ARCADE_LEVELS = 0x10480,
    ACTION_OPEN_SETTINGS,
    ACTION_OPEN_SCORE_CHOICE,
    ACTION_OPEN_HELP,
    ACTION_OPEN_MORE_GAMES,
    ACTION_OPEN_ABOUT,
    ACTION_OPEN_EXIT_QUESTION,
    ACTION_OPEN_NEW_OR_CONTINUE,
    ACTION_DISPOSE_SCREEN,
};

enum Screen : int32_t { SCREEN_MENUS = 0, SCREEN_PLAYING = 1, SCREEN_NAME_ENTRY = 2, SCREEN_CONTROLS = 5 };

class ScreenFlow : public gamelib::GameFlow, private GameScreenHost {
public:
    static gamelib::GameFlowPtr create();

    ScreenFlow();
    ~ScreenFlow() override;

    void startUp() override;
    void tick() override;
    void paint(const vela::microedition::lcdui::DGraphicsPtr& g) override;
    void pause() override { pause(true); }
    void shutdown() override;

    void setScreen(int32_t s);
    void pause(bool stopSounds) override;
    void handleActions();

    Game& rules() { return gameScreen->rules(); }

    int32_t screen = SCREEN_MENUS;
    int32_t previousScreen = SCREEN_MENUS;
    guilib::GUIModalScreenPtr menuScreen;
    vela::lang::DStringArrayPtr languageNames;
    vela::lang::DStringArrayPtr languageIds;
    bool askLanguage = false;
    gamelib::StringManagerPtr urlStrings;
    bool isTouchScreen = false;
    gamelib::SoundManagerPtr sounds;
    gamelib::CustomControlsPtr controls;
    gamelib::VirtualKeyboardPtr keyboard;
    HiscoreTablePtr progressTable;
    HiscoreTablePtr arcadeTable;

private:
    // Start-up, in its order.
    void showTitle();
    void readLanguages();
    void loadLinks(int32_t language);
    void createSounds();
    void createControls();
    void initGui(int32_t languageIndex);
    void createTables();

    // GameScreenHost.
    void gameFinished() override;
    void showLevelTips() override;
    void refreshInGameMenu() override;
    gamelib::SoundManager& soundManager() override { return *sounds; }

    void tickMenus();
    void tickNameEntry();
    void tickControls();
    void openNameEntry();
    HiscoreTable& tableOf(bool arcade) { return arcade ? *arcadeTable : *progressTable; }

    // Action handlers.
    void handleAction(guilib::GUIAction& action);
    void chooseLanguage(int32_t index);
    void stepLanguage(int32_t step, const guilib::GUIWidgetPtr& source);
    void startLevel(int32_t level, bool arcade, int32_t code);
    void progressGame();
    void askNewOrContinue();
    void continuePaused();
    void restartLevel();
    void continueProgress();
    void newProgressGame();
    void startPlay();
    void refreshLevelChoice(const guilib::GUIWidgetPtr& source);
    void refreshMenu();
    void openLink(const vela::lang::DStringPtr& url);
    void setSoundEnabled(bool on);
    void refreshSettings(const guilib::GUIWidgetPtr& screen);
    void push(const guilib::GUIWidgetPtr& screen);

    // Screens: frames, boxes and lists.
    guilib::GUIModalScreenPtr makeScreenFrame(const char16_t* left, const char16_t* right);
    // OK and BACK, BACK closing the screen.
    guilib::GUIModalScreenPtr makeBackFrame();
    void stackScrollingList(const guilib::GUIWidgetPtr& list);
    guilib::GUIModalScreenPtr showConfirm(const char16_t* textKey, int32_t yesAction,
        int32_t noAction, const guilib::GUIWidgetPtr& yesTarget,
        const guilib::GUIWidgetPtr& noTarget);
    guilib::GUIModalScreenPtr showMessage(const char16_t* textKey, const char16_t* leftLabel,
        int32_t leftAction, const char16_t* rightLabel, int32_t rightAction);
    void addScrollArrows(const guilib::GUIWidgetPtr& list);
    guilib::GUIModalScreenPtr buildMainMenu(bool inGame);
    guilib::GUIModalScreenPtr buildModeChoice();
    guilib::GUIModalScreenPtr buildLevelChoice(bool arcade);
    guilib::GUIModalScreenPtr buildLanguageChoice();
    void refreshLanguageItem(const guilib::GUIWidgetPtr& item);

    // Screens reached from the main menu.
    guilib::GUIModalScreenPtr buildSettings();
    guilib::GUIModalScreenPtr buildHelp();
    guilib::GUIModalScreenPtr buildAbout();
    guilib::GUIModalScreenPtr buildMoreGames();
    guilib::GUIModalScreenPtr buildHighScores(bool arcade);
    guilib::GUIModalScreenPtr buildTips();

    GameScreenPtr gameScreen;
    gamelib::ImageManagerPtr menuImages;
    vela::microedition::lcdui::DImagePtr menuBackground;
    int64_t titleShownAt = 0;
};

} // namespace tintrow
