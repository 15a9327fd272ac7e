// The game screen: the board, the balls and the heads-up display on screen, and the player's
// keys and taps turned into moves. It owns the rules and is their host.
#pragma once

#include <cstdint>

#include "game/GameScreen.ptr"
#include "game/GameScreenHost.h"
#include "game/rules/Game.h"
#include "game/rules/GameHost.h"
#include "gamelib/ImageManager.h"
#include "gamelib/SoundManager.h"
#include "guilib/GUIText.ptr"
#include "lang/DArray.h"
#include "lang/DObject.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.ptr"
#include "microedition/lcdui/DImage.ptr"
#include "microedition/media/DPlayer.ptr"

namespace tintrow {

class GameScreen : public vela::lang::DObject, public GameHost {
public:
    static constexpr int32_t PARTICLE_COUNT = 20;
    // A held direction key moves the cursor again once this much time has passed.
    static constexpr int64_t CURSOR_REPEAT_MILLIS = 201;
    // Tile, panel and bar background are blended at this alpha at most.
    static constexpr uint32_t HALF_OPAQUE = 0xCCFFFFFF;
    static constexpr int32_t BAR_LAST_STAGE = 6;
    static constexpr int32_t GAME_TUNE_COUNT = 3;

    // Animations of the set "img/Game" by number (balls are 7 x colour + their look).
    enum AnimationNumber : int32_t {
        ANIM_PARTICLE = 35,
        ANIM_INDICATOR_MIDDLE = 36,
        ANIM_INDICATOR_LOW = 37,
        ANIM_INDICATOR_HIGH = 38,
        ANIM_CURSOR = 39,
        // Stage k adds 4k: lower edge, left end, right end, upper edge.
        ANIM_BAR_LOWER = 40,
        ANIM_BAR_LEFT = 41,
        ANIM_BAR_RIGHT = 42,
        ANIM_BAR_UPPER = 43,
        ANIM_TYPE_BLOCKS = 68,
        ANIM_TYPE_LINES = 69,
        ANIM_MENU_BUTTON = 70,
        ANIM_NEXT_BALL = 71,
        ANIM_PATH_DOT = 76,
    };

    // A falling spark; a slot is free while y is below the screen.
    struct Particle {
        int32_t x = 0;
        int32_t y = 0;
        int32_t dx = 0;
        int32_t dy = 0;
        int32_t frame = 0;
    };

    explicit GameScreen(GameScreenHost& flow);
    ~GameScreen() override;

    // The rules, which this screen created with itself as their host; valid until release().
    Game& rules();
    // The sprite set "img/Game" (loaded by loadGraphics).
    gamelib::ImageManager& sprites();

    // Start-up: floor tile, borders, corners, "img/back" and the sprite set "img/Game".
    void loadGraphics();
    // Start-up: the score panel from "img/titlel", "img/titlem" and "img/titler".
    void buildPanel();
    // The screen becomes current: input and pause reset, all sounds stop, a game tune loops.
    void show();
    // One 42 ms step while the screen is current.
    void tick();
    void paint(const vela::microedition::lcdui::DGraphicsPtr& g);
    // Lets go of every picture, sound and the rules; nothing may be called afterwards.
    void release();

    // The level's static picture: floor, frame, panel and time bar (run by level set-up).
    void paintBackground();

    // The ball animation of a colour and display state.
    static int32_t ballAnimation(int32_t colour, int32_t state);

    // The rules' host.
    int64_t currentTimeMillis() override;
    void playSound(int32_t index, int32_t pan, bool loop) override;
    void setSoundPan(int32_t index, int32_t pan) override;
    void stopSound(int32_t index) override;
    int32_t volume(int32_t which) override;
    void setVolumes(int32_t first, int32_t second) override;
    vela::lang::DbyteArrayPtr readLevel(int32_t index) override;
    void drawLevelBackground() override;
    void restartTimeIndicator() override;
    void clearParticles() override;
    void resetActions() override;
    void refreshInGameMenu() override;
    void showLevelTips() override;

    // Pictures and pixels.
    vela::microedition::lcdui::DImagePtr tileImage;
    vela::lang::DintArrayPtr tilePixels;
    vela::microedition::lcdui::DImagePtr borderH;
    vela::microedition::lcdui::DImagePtr borderV;
    vela::microedition::lcdui::DImagePtr corners[4];
    vela::lang::DintArrayPtr panelPixels;
    int32_t panelWidth = 0;
    int32_t panelHeight = 0;
    vela::microedition::lcdui::DImagePtr backImage;
    vela::microedition::lcdui::DImagePtr barBackTile;
    vela::microedition::lcdui::DImagePtr barSelTile;
    vela::microedition::lcdui::DImagePtr background;
    vela::microedition::lcdui::DImagePtr barFill;
    guilib::GUITextPtr ptsText;
    bool isTouchScreen = false;

    // Layout.
    int32_t panelX = 0;
    int32_t panelY = 0;
    int32_t barX = 0;
    int32_t barY = 0;
    int32_t barWidth = 0;
    int32_t barHeight = 0;

    // Effects.
    int32_t timeIndicatorFrame = 0;
    Particle particles[PARTICLE_COUNT];
    int32_t particleCountdown = 0;

private:
    // Board picture (GameScreenBoard.cpp).
    void paintFloor(const vela::microedition::lcdui::DGraphicsPtr& g);
    void paintFrame(const vela::microedition::lcdui::DGraphicsPtr& g);
    void paintOuterFrame(const vela::microedition::lcdui::DGraphicsPtr& g, int32_t x, int32_t y);
    void paintInnerCorners(const vela::microedition::lcdui::DGraphicsPtr& g, int32_t x, int32_t y);
    void paintTimeBarBack(const vela::microedition::lcdui::DGraphicsPtr& g);
    bool isBoardCell(int32_t x, int32_t y);

    // Paint steps (GameScreenPaint.cpp).
    void paintBalls(const vela::microedition::lcdui::DGraphicsPtr& g);
    void paintPath(const vela::microedition::lcdui::DGraphicsPtr& g);
    void paintCursor(const vela::microedition::lcdui::DGraphicsPtr& g);
    void paintTurnMessage(const vela::microedition::lcdui::DGraphicsPtr& g);
    void paintPanel(const vela::microedition::lcdui::DGraphicsPtr& g);
    void paintTimeBar(const vela::microedition::lcdui::DGraphicsPtr& g);
    void paintPointsToGo(const vela::microedition::lcdui::DGraphicsPtr& g);
    void paintParticles(const vela::microedition::lcdui::DGraphicsPtr& g);
    // Draws an animation's first frame with its top-left corner at (x, y).
    void drawAt(const vela::microedition::lcdui::DGraphicsPtr& g, int32_t animation, int32_t x,
                int32_t y);
    void drawAtCentre(const vela::microedition::lcdui::DGraphicsPtr& g, int32_t animation,
                      int32_t cellX, int32_t cellY, int32_t lift);
    const vela::lang::DStringPtr& scoreText();

    // Tick steps (GameScreenTick.cpp).
    bool menuRequested();
    bool jumpToHiddenLevel();
    void moveParticles();
    void waitForAcknowledgement();
    void handlePlayerInput();
    bool moveCursorBy(int32_t dx, int32_t dy);
    bool playerAcknowledged();

    GameScreenHost& flow;
    GamePtr game;
    gamelib::ImageManagerPtr gameSprites;
    // The player each sound started last (a clone when the sound was already playing).
    vela::microedition::media::DPlayerPtr players[gamelib::SoundManager::GAME_SOUND_COUNT];

    // Texts made once, and the score text made again only when the score changes.
    vela::lang::DStringPtr gameOverText;
    vela::lang::DStringPtr levelCompleteText;
    vela::lang::DStringPtr scorePrefix;
    vela::lang::DStringPtr scoreDigits;
    vela::lang::DStringPtr scoreLine;
    int32_t scoreShown = -1;
    int32_t restShown = -1;
    int32_t sixDigitsWidth = 0;
};

} // namespace tintrow
