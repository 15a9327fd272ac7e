// The menus and the screen flow, played through keys and taps on the real data.
#include "PlayedGame.h"

#include <filesystem>

#include "game/MenuParts.h"
#include "gamelib/GameContext.h"
#include "gamelib/StringManager.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIText.h"
#include "support/Files.h"
#include "support/TempDir.h"
#include "util/DVector.h"

using namespace gamelib;

namespace tintrow::testing {
namespace {

using guilib::GUIEngine;

class MenuFlowTest : public PlayedGame {
protected:
    // Language i of the first start, then the sound question.
    void startAnswering(int language, bool sound)
    {
        start();
        if (flow().askLanguage) {
            for (int i = 0; i < language; ++i)
                key(KEY_DOWN);
            key(KEY_FIRE);
        }
        key(sound ? KEY_SOFT_LEFT : KEY_SOFT_RIGHT);
    }
    // Entry n of the main menu as it stands (hidden entries do not count), then fire.
    void openMenuEntry(int n)
    {
        topScreen()->findChild(menu::ID_MAIN_LIST, true)->focusFirst();
        for (int i = 0; i < n; ++i)
            key(KEY_DOWN);
        key(KEY_FIRE);
    }
    bool topShows(const std::string& text) { return topTexts().find(text) != std::string::npos; }
    int languageFile()
    {
        const std::string path = programFolder() + "/langid";
        support::Bytes b = std::filesystem::exists(path) ? support::readFile(path) : support::Bytes();
        return b.size() == 4 ? (b[0] << 24 | b[1] << 16 | b[2] << 8 | b[3]) : -1;
    }
    void startProgressGameAndPlay()
    {
        openMenuEntry(0);
        ASSERT_TRUE(topShows("START"));
        key(KEY_SOFT_LEFT);
        ASSERT_EQ(SCREEN_PLAYING, flow().screen);
    }
    std::string strings(const char16_t* key) { return GameContext::get().strings->get(key)->toUtf8(); }
    int widgetCount() { return GUIEngine::getInstance()->widgets->size(); }

    enum { PROGRESS_ENTRY = 0, ARCADE_ENTRY = 1, LANGUAGE_ENTRY = 2, SETTINGS_ENTRY = 3,
        SCORES_ENTRY = 4, HELP_ENTRY = 5, MORE_GAMES_ENTRY = 6, ABOUT_ENTRY = 7, EXIT_ENTRY = 8 };
};

TEST_F(MenuFlowTest, TheLanguageEntryStepsRoundBothWays)
{
    startAnswering(0, false);
    openMenuEntry(LANGUAGE_ENTRY);  // the click steps forward
    EXPECT_EQ(1, GUIEngine::getInstance()->language);
    key(KEY_LEFT);
    key(KEY_LEFT);
    EXPECT_EQ(4, GUIEngine::getInstance()->language);
    EXPECT_EQ(4, languageFile());
    EXPECT_TRUE(topShows("Русский"));
    key(KEY_RIGHT);
    EXPECT_EQ(0, GUIEngine::getInstance()->language);
    EXPECT_TRUE(topShows("English"));
}

TEST_F(MenuFlowTest, LevelModeOverAPausedArcadeGameAsksFirst)
{
    startAnswering(0, false);
    openMenuEntry(ARCADE_ENTRY);
    key(KEY_FIRE);  // level 1
    key(KEY_SOFT_LEFT);
    ASSERT_TRUE(rules().arcadeMode);
    key(KEY_SOFT_LEFT);
    ASSERT_TRUE(rules().gamePaused);
    EXPECT_TRUE(storeRecord("gsv").empty());

    openMenuEntry(2);
    EXPECT_TRUE(topShows("TERMINATE_CURRENT_GAME"));
    key(KEY_SOFT_RIGHT);
    EXPECT_EQ(flow().menuScreen, topScreen());
    openMenuEntry(2);
    key(KEY_SOFT_LEFT);  // no progress yet: the first level starts
    EXPECT_FALSE(rules().arcadeMode);
    EXPECT_EQ(0, rules().selectedLevel);
    EXPECT_TRUE(topShows("START"));
}

TEST_F(MenuFlowTest, RestartingTheLevelGivesBackTheScoreItBeganWith)
{
    startAnswering(0, false);
    startProgressGameAndPlay();
    rules().levelStartScore = 10;
    rules().score = 40;
    key(KEY_SOFT_LEFT);
    openMenuEntry(1);
    EXPECT_TRUE(topShows("TERMINATE_CURRENT_GAME"));
    key(KEY_SOFT_LEFT);
    EXPECT_EQ(10, rules().score);
    EXPECT_FALSE(rules().gamePaused);
    EXPECT_TRUE(topShows("START"));
}

TEST_F(MenuFlowTest, ALockedLevelOnlyTellsSo)
{
    startAnswering(0, false);
    openMenuEntry(ARCADE_ENTRY);
    keys({KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_FIRE});
    EXPECT_TRUE(topShows("LEVEL_UNAVAILABLE"));
    EXPECT_EQ("4", GUIEngine::getInstance()->getToken(new vela::lang::DString(u"%CUR_LEVEL_NUM%"))->toString()->toUtf8());
    EXPECT_EQ(0, rules().selectedLevel);
    EXPECT_EQ(TURN_GAME_OVER, rules().turnState);
    key(KEY_SOFT_LEFT);
    EXPECT_TRUE(topShows("LEVEL_NUM"));
}

TEST_F(MenuFlowTest, SettingsToggleTheMusicAndAreSavedOnEitherWayOut)
{
    startAnswering(0, true);
    openMenuEntry(SETTINGS_ENTRY);
    keys({KEY_DOWN, KEY_FIRE});
    EXPECT_FALSE(flow().sounds->enabled);
    EXPECT_FALSE(flow().sounds->isPlaying(SoundManager::SOUND_MENU_MUSIC));
    EXPECT_TRUE(topShows("SOUND_OFF"));
    key(KEY_FIRE);
    EXPECT_TRUE(flow().sounds->isPlaying(SoundManager::SOUND_MENU_MUSIC));
    keys({KEY_DOWN, KEY_RIGHT, KEY_SOFT_RIGHT});
    EXPECT_EQ(std::string("\x28\x14\x00", 3), storeRecord("cfg"));

    openMenuEntry(SETTINGS_ENTRY);
    keys({KEY_DOWN, KEY_DOWN, KEY_DOWN, KEY_LEFT, KEY_DOWN, KEY_FIRE});
    EXPECT_EQ(flow().menuScreen, topScreen());
    EXPECT_EQ(std::string("\x28\x08\x00", 3), storeRecord("cfg"));
    restart();
    key(KEY_SOFT_LEFT);
    openMenuEntry(SETTINGS_ENTRY);
    EXPECT_EQ(8, flow().sounds->musicVolume);
}

TEST_F(MenuFlowTest, OnlyLevelModeTipsTellTheGoal)
{
    startAnswering(0, false);
    openMenuEntry(PROGRESS_ENTRY);
    const std::string goal = strings(u"TIPS3_SCORE").substr(0, 10);
    EXPECT_TRUE(topShows(goal));
    key(KEY_SOFT_LEFT);
    key(KEY_SOFT_LEFT);
    openMenuEntry(3);  // arcade, below the paused game's entries
    key(KEY_FIRE);
    EXPECT_TRUE(topShows("START"));
    EXPECT_FALSE(topShows(goal));
}

TEST_F(MenuFlowTest, ScreensThatCloseAreForgotten)
{
    startAnswering(0, false);
    auto round = [this] {
        for (int entry : {SETTINGS_ENTRY, SCORES_ENTRY, HELP_ENTRY, MORE_GAMES_ENTRY, ABOUT_ENTRY}) {
            openMenuEntry(entry);
            key(entry == HELP_ENTRY || entry == ABOUT_ENTRY ? KEY_SOFT_LEFT : KEY_SOFT_RIGHT);
        }
        openMenuEntry(ARCADE_ENTRY);
        key(KEY_SOFT_RIGHT);
        openMenuEntry(EXIT_ENTRY);
        key(KEY_SOFT_RIGHT);
        run(2);
    };
    round();
    const int widgets = widgetCount();
    for (int i = 0; i < 5; ++i)
        round();
    EXPECT_EQ(flow().menuScreen, topScreen());
    EXPECT_EQ(widgets, widgetCount());
}

TEST_F(MenuFlowTest, EveryNameEntryStartsEmptyAndTheTableSurvivesARestart)
{
    startAnswering(0, false);
    for (const char* name : {"AB", "C"}) {
        startProgressGameAndPlay();
        rules().score = 100 - int(std::string(name).size());
        rules().setTurnState(TURN_GAME_OVER);
        key('Q');  // the game-over message waits for a key
        ASSERT_EQ(SCREEN_NAME_ENTRY, flow().screen);
        for (const char* c = name; *c; ++c)
            key(*c);
        key(KEY_SOFT_LEFT);
        ASSERT_EQ(SCREEN_MENUS, flow().screen);
        EXPECT_TRUE(topShows(std::string(name) + "<ALIGN ALIGN=RIGHT>" + std::to_string(rules().score)));
        key(KEY_SOFT_RIGHT);
    }
    restart();
    key(KEY_SOFT_RIGHT);
    openMenuEntry(SCORES_ENTRY);
    key(KEY_FIRE);
    EXPECT_TRUE(topShows("C<ALIGN ALIGN=RIGHT>99<BR><ALIGN ALIGN=LEFT>AB<ALIGN ALIGN=RIGHT>98"));
}

TEST_F(MenuFlowTest, ATapOnTheBackCornerOfTheControlsLeavesAWaitingCellAsItWas)
{
    startAnswering(0, false);
    openMenuEntry(SETTINGS_ENTRY);
    key(KEY_FIRE);
    ASSERT_EQ(SCREEN_CONTROLS, flow().screen);
    runFor(300);
    key(KEY_FIRE);
    runFor(300);
    ASSERT_TRUE(flow().controls->waiting);
    tap(GameContext::get().screenWidth - 2, GameContext::get().screenHeight - 2);
    EXPECT_FALSE(flow().controls->waiting);
    EXPECT_EQ(SCREEN_CONTROLS, flow().screen);
    runFor(300);
    tap(GameContext::get().screenWidth - 2, GameContext::get().screenHeight - 2);
    EXPECT_EQ(SCREEN_MENUS, flow().screen);
}

TEST_F(MenuFlowTest, DamagedStoresGiveAWorkingGameWithDefaults)
{
    for (const char* store : {"cfg", "gsv", "hs", "hsArcade", "keys_Tintrow"})
        support::writeFile(support::home() + "/Vandrel/Tintrow/" + store + "/1", std::string("\xFF\x01"));
    support::writeFile(programFolder() + "/langid", std::string("\x7F"));
    startAnswering(0, false);
    EXPECT_EQ(0, rules().highestLevel);
    EXPECT_EQ(30, flow().sounds->soundVolume);
    EXPECT_EQ(20, flow().sounds->musicVolume);
    openMenuEntry(PROGRESS_ENTRY);
    EXPECT_TRUE(topShows("ASK_NEW_CONTINUE"));  // a damaged save still counts as one
    key(KEY_SOFT_LEFT);
    EXPECT_TRUE(topShows("START"));
    key(KEY_SOFT_LEFT);
    EXPECT_EQ(SCREEN_PLAYING, flow().screen);
}

TEST_F(MenuFlowTest, TheExitQuestionEndsTheApplication)
{
    startAnswering(0, false);
    key(KEY_SOFT_RIGHT);
    EXPECT_TRUE(topShows("EXIT_GAME"));
    key(KEY_SOFT_RIGHT);
    EXPECT_EQ(1, app->running);
    key(KEY_SOFT_RIGHT);
    key(KEY_SOFT_LEFT);
    EXPECT_EQ(0, app->running);
}

} // namespace
} // namespace tintrow::testing
