// The game screen on the real data at 240 x 320: pictures against goldens, cursor and taps,
// the menu button, the end-of-game waits and sounds.
// After an intended change of the pictures, scripts/update-goldens.sh draws the goldens anew.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "GameFixture.h"
#include "ScreenStage.h"
#include "gamelib/GameContext.h"
#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "microedition/media/DManager.h"
#include "sound/hssChannel.h"
#include "sound/hssSpeaker.h"
#include "support/Golden.h"

using namespace gamelib;

namespace tintrow::testing {
namespace {

const int32_t KEY_UP = 38, KEY_RIGHT = 39, KEY_A = 65, KEY_SOFT_LEFT = 10000;

struct Crop {
    int x, y, w, h;
};

void expectGolden(const host::Surface& screen, const Crop& crop, const std::string& name)
{
    host::Surface part(crop.w, crop.h);
    for (int y = 0; y < crop.h; ++y)
        std::copy_n(screen.row(crop.y + y) + crop.x, crop.w, part.row(y));
    support::expectGolden(part, std::string(TINTROW_GOLDEN_DIR) + "/" + name + ".png");
}

// Levels of the tests' own, past the shipped ones: 7 x 7 with the four corners cut, with a hole
// in the middle, and a timed board.
enum TestLevel : int32_t { CORNERS = 90, MIDDLE_HOLE = 91, TIMED = 92 };

void writeTestLevels(ScreenStage& stage)
{
    LevelDesign corners;
    corners.goal = GOAL_SCORE;
    corners.lineLength = 3;
    corners.rows = {"#.....#", ".......", ".......", ".......", ".......", ".......", "#.....#"};
    stage.writeLevel(CORNERS, corners);
    LevelDesign middle = corners;
    middle.rows = std::vector<std::string>(7, ".......");
    middle.rows[3] = "...#...";
    stage.writeLevel(MIDDLE_HOLE, middle);
    LevelDesign timed = middle;
    timed.goal = GOAL_TIME;
    timed.rows[3] = ".......";
    stage.writeLevel(TIMED, timed);
}

class GameScreenTest : public ::testing::Test {
protected:
    GameScreenTest() { writeTestLevels(stage); }

    void tap(int32_t x, int32_t y)
    {
        canvas().pointerPressed(x, y);
        stage.tick();
        canvas().pointerReleased(x, y);
    }
    // A key pressed for one tick, then released for one.
    void press(int32_t code)
    {
        canvas().keyPressed(code);
        stage.tick();
        canvas().keyReleased(code);
        stage.tick();
    }
    ScreenCanvas& canvas() { return *GameContext::get().canvas; }

    ScreenStage stage{240, 320};
};

TEST_F(GameScreenTest, PicturesMatchGoldens)
{
    struct Row {
        const char* golden;
        int32_t level;
        std::function<void(Game&)> setUp;
        Crop crop;
    } const rows[] = {
        // Outer corners round the four corner holes, the panel with next balls and score.
        {"outer-frame-and-panel", CORNERS, [](Game& g) { g.score = 1234; }, {20, 48, 200, 96}},
        // Inner corners round the hole in the middle; balls, a preview and the cursor.
        {"inner-corners", MIDDLE_HOLE, [](Game& g) { layBoard(g, "////.0...a/.1...2"); g.cursorX = g.cursorY = 1; },
         {60, 104, 120, 120}},
        // The indicator turns from low to middle at a third; the full bar is the last stage.
        {"bar-below-third", TIMED, [](Game& g) { g.timeBank = g.timeLimit / 3 - 1; }, {0, 246, 240, 28}},
        {"bar-third", TIMED, [](Game& g) { g.timeBank = g.timeLimit / 3; }, {0, 246, 240, 28}},
        {"bar-full", TIMED, [](Game& g) { g.timeBank = g.timeLimit; }, {0, 246, 240, 28}},
        // Past the goal the points still needed read 0.
        {"points-past-goal", CORNERS, [](Game& g) { g.score = g.pointsToWin + 7; }, {0, 252, 240, 68}},
    };
    for (const Row& row : rows) {
        stage.startLevel(row.level);
        row.setUp(stage.rules());
        stage.paint();
        expectGolden(stage.window.screen(), row.crop, row.golden);
    }
}

TEST_F(GameScreenTest, CursorWrapsPastHolesAndATapOnAHoleOnlyHidesIt)
{
    // A 7 x 7 board whose four corner cells are holes.
    struct Row {
        int32_t fromX, fromY, key, toX, toY;
    } const rows[] = {
        {5, 0, KEY_RIGHT, 1, 0}, // over the holes at the end of the row and at its start
        {6, 1, KEY_RIGHT, 0, 1},
        {1, 0, KEY_UP, 1, 6},
        {1, 0, '1', 6, 5}, // up-left wraps both ways and skips the hole at (0, 6)
        {6, 5, '9', 1, 0},
    };
    stage.startLevel(CORNERS);
    Game& game = stage.rules();
    for (const Row& row : rows) {
        game.cursorX = row.fromX;
        game.cursorY = row.fromY;
        game.cursorVisible = false;
        game.lastCursorMove = FakeClock::now - 1000;
        press(row.key);
        EXPECT_EQ(std::make_pair(game.cursorX, game.cursorY), std::make_pair(row.toX, row.toY))
            << "from " << row.fromX << "," << row.fromY << " key " << row.key;
        EXPECT_TRUE(game.cursorVisible);
    }
    // A held key moves again once 201 ms have passed: on every fifth tick.
    game.cursorY = 3;
    game.cursorX = 1;
    game.lastCursorMove = FakeClock::now - 1000;
    canvas().keyPressed(KEY_RIGHT);
    for (int i = 0; i < 11; ++i)
        stage.tick();
    EXPECT_EQ(game.cursorX, 4);
    ScreenCanvas::resetInput();
    tap(36 + 12, 80 + 12);
    EXPECT_FALSE(game.cursorVisible);
    EXPECT_EQ(std::make_tuple(game.cursorX, game.selectedX, game.turnState), std::make_tuple(4, -1, 0));
}

TEST_F(GameScreenTest, MenuButtonAndSoftKeysPauseInEveryTurnState)
{
    stage.startLevel(CORNERS);
    Game& game = stage.rules();
    const int32_t edge = stage.screen().sprites().getAnimation(GameScreen::ANIM_MENU_BUTTON)->firstWidth;
    int32_t expected = 0;
    for (int32_t state : {TURN_PLAYER, TURN_SPAWNING, TURN_REMOVING, TURN_TRAVELLING, TURN_GAME_OVER,
                          TURN_LEVEL_COMPLETE, TURN_LAST_LEVEL_COMPLETE}) {
        game.turnState = state;
        tap(edge, edge);
        EXPECT_EQ(stage.pauses, ++expected) << "tap in state " << state;
        canvas().keyPressed(KEY_SOFT_LEFT);
        stage.tick();
        EXPECT_EQ(stage.pauses, ++expected) << "soft key in state " << state;
        ScreenCanvas::resetInput();
        EXPECT_EQ(game.turnState, state);
    }
    EXPECT_EQ(stage.finished, 0);
    game.turnState = TURN_PLAYER;
    tap(edge + 1, 2);
    EXPECT_EQ(stage.pauses, expected);
}

TEST_F(GameScreenTest, EndMessagesWaitForTheKeyOrTapOfAPlayer)
{
    enum Input { KEY, TAP, FOCUS_LOST };
    struct Row {
        int32_t state;
        Input input;
        int32_t finished, tips;
    } const rows[] = {
        {TURN_GAME_OVER, KEY, 1, 0},
        {TURN_GAME_OVER, FOCUS_LOST, 0, 0},
        {TURN_LAST_LEVEL_COMPLETE, TAP, 1, 0},
        {TURN_LEVEL_COMPLETE, KEY, 0, 1},
        {TURN_LEVEL_COMPLETE, FOCUS_LOST, 0, 0},
    };
    for (const Row& row : rows) {
        stage.startLevel(CORNERS);
        Game& game = stage.rules();
        game.selectedLevel = 1;
        game.setTurnState(row.state);
        stage.tick();
        if (row.input == TAP)
            tap(120, 300);
        else
            press(row.input == KEY ? KEY_A : GameLib::PAUSE_KEY);
        EXPECT_EQ(std::make_pair(stage.finished, stage.tips), std::make_pair(row.finished, row.tips))
            << "state " << row.state << " input " << row.input;
        EXPECT_EQ(game.turnState, row.tips ? TURN_PLAYER : row.state);
    }
}

TEST(GameScreenSound, PanReachesThePlayingCloneAndATuneLoopsWhenShown)
{
    ScreenStage stage(240, 320, true);
    writeTestLevels(stage);
    stage.startLevel(CORNERS);
    SoundManager& sounds = stage.soundManager();
    int32_t tunes = 0;
    for (int32_t tune = SoundManager::SOUND_GAME_MUSIC_1; tune <= SoundManager::SOUND_GAME_MUSIC_3; ++tune)
        tunes += sounds.isPlaying(tune);
    EXPECT_EQ(tunes, 1);
    GameScreen& screen = stage.screen();
    screen.playSound(SOUND_MOVE, -20, true);
    const int32_t first = sounds.players->get(SOUND_MOVE)->getChannelId();
    screen.playSound(SOUND_MOVE, -20, true);
    screen.setSoundPan(SOUND_MOVE, 40);
    hssSpeaker& speaker = *vela::microedition::media::DManager::speaker();
    int32_t panned = 0;
    for (int32_t id = 0; id < speaker.musicChannelCount() + speaker.soundChannelCount(); ++id)
        panned += id != first && speaker.channel(id)->isActive() && speaker.channel(id)->pan() == 40 + 128;
    EXPECT_EQ(std::make_pair(panned, speaker.channel(first)->pan()), std::make_pair(1, -20 + 128));
    screen.stopSound(SOUND_MOVE);
    EXPECT_FALSE(sounds.isPlaying(SOUND_MOVE));
}

} // namespace
} // namespace tintrow::testing
