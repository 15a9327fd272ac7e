// The game screen's tick in its five steps: the menu button and soft keys, the hidden level
// jump, the falling particles, the turn state's own steps (with the waits at the end of a game
// or level), and the player's keys and taps turned into cursor moves and choices.
#include "game/GameScreen.h"

#include <cstdlib>

#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DCanvas.h"

using namespace vela::lang;
using gamelib::GameLib;
using gamelib::HiddenSequence;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using vela::microedition::lcdui::DCanvas;

namespace tintrow {

void GameScreen::tick()
{
    if (menuRequested()) {
        flow.pause(false);
        return;
    }
    if (jumpToHiddenLevel())
        return;
    moveParticles();
    game->tick();
    waitForAcknowledgement();
    if (game->turnState == TURN_PLAYER)
        handlePlayerInput();
}

// A tap on the menu button (its box, edges included) or a soft key opens the in-game menu.
bool GameScreen::menuRequested()
{
    if (ScreenCanvas::pointerDown && gameSprites->animationCount() > ANIM_MENU_BUTTON) {
        const gamelib::Animation& button = *gameSprites->getAnimation(ANIM_MENU_BUTTON);
        const int32_t x = ScreenCanvas::pointerX, y = ScreenCanvas::pointerY;
        if (x >= 0 && y >= 0 && x <= button.firstWidth && y <= button.firstHeight)
            return true;
    }
    return ScreenCanvas::actions[DCanvas::SOFT_LEFT] || ScreenCanvas::actions[DCanvas::SOFT_RIGHT];
}

// The two digits after the hidden key sequence name a level from 1; the score is kept. A number
// without a level file changes nothing and play goes on.
bool GameScreen::jumpToHiddenLevel()
{
    HiddenSequence& sequence = ScreenCanvas::hiddenSequence;
    if (!sequence.entered)
        return false;
    sequence.entered = false;
    const int32_t level = sequence.value - 1;
    if (level < 0)
        return false;
    // The level set-up reads and checks the whole file before it changes anything.
    if (catchKind(IOException, [&] { game->setupLevel(level); }))
        return false;
    // The jumped-to level is the one played now: the next level, a restart and the saved game
    // follow it, and a save never pairs one level's number with another's board.
    game->selectedLevel = level;
    // A ball that was travelling is gone with its board; so is its looping sound.
    if (game->moveSound) {
        stopSound(SOUND_MOVE);
        game->moveSound = false;
    }
    game->setTurnState(TURN_LEVEL_START);
    return true;
}

void GameScreen::moveParticles()
{
    const int32_t screenW = game->screenWidth, screenH = game->screenHeight;
    if (--particleCountdown < 1) {
        particleCountdown = game->particleInterval;
        for (int32_t i = PARTICLE_COUNT - 1; i >= 0; --i) {
            Particle& particle = particles[i];
            if (particle.y <= screenH)
                continue;
            particle.x = std::abs(game->random->nextInt() % screenW);
            particle.y = -(screenH >> 2);
            particle.dx = 0;
            particle.dy = std::abs(game->random->nextInt() % (game->cellSize >> 3)) + (game->cellSize >> 2);
            particle.frame = 0;
            break;
        }
    }
    for (Particle& particle : particles) {
        if (particle.y > screenH)
            continue;
        particle.x += particle.dx;
        particle.y += particle.dy;
    }
}

// Game over and level complete wait for a key press or a tap.
void GameScreen::waitForAcknowledgement()
{
    const int32_t state = game->turnState;
    if (state != TURN_GAME_OVER && state != TURN_LEVEL_COMPLETE && state != TURN_LAST_LEVEL_COMPLETE)
        return;
    if (!playerAcknowledged())
        return;
    if (state == TURN_LEVEL_COMPLETE) {
        game->advanceLevel();
        return;
    }
    // The key or tap is used up here: the screen that follows must not see it again.
    ScreenCanvas::resetActionFlags();
    flow.soundManager().stop(SoundManager::ALL_SOUNDS, false);
    flow.gameFinished();
}

// A tap, or a key press taken from the queue; the key that pausing injects when the window
// loses the foreground is not the player's.
bool GameScreen::playerAcknowledged()
{
    if (ScreenCanvas::pointerDown)
        return true;
    if (!ScreenCanvas::anyKeyPressed)
        return false;
    if (ScreenCanvas::lastKeyCode == GameLib::PAUSE_KEY) {
        ScreenCanvas::anyKeyPressed = false;
        return false;
    }
    // A press whose event is still queued behind a release is taken on a later tick.
    return ScreenCanvas::lastKeyPressed;
}

void GameScreen::handlePlayerInput()
{
    bool* const actions = ScreenCanvas::actions;
    const bool diagonal = actions[DCanvas::GAME_A] || actions[DCanvas::GAME_B]
        || actions[DCanvas::GAME_C] || actions[DCanvas::GAME_D];
    const bool straight = actions[DCanvas::UP] || actions[DCanvas::DOWN] || actions[DCanvas::LEFT]
        || actions[DCanvas::RIGHT];
    if (diagonal || straight) {
        const int64_t now = currentTimeMillis();
        // The flags stay set while a key is held: the cursor moves again every fifth tick.
        if (now - game->lastCursorMove < CURSOR_REPEAT_MILLIS)
            return;
        int32_t dx, dy;
        if (diagonal) {
            dx = actions[DCanvas::GAME_A] || actions[DCanvas::GAME_C] ? -1 : 1;
            dy = actions[DCanvas::GAME_A] || actions[DCanvas::GAME_B] ? -1 : 1;
        } else {
            dx = actions[DCanvas::LEFT] ? -1 : actions[DCanvas::RIGHT] ? 1 : 0;
            dy = actions[DCanvas::UP] ? -1 : actions[DCanvas::DOWN] ? 1 : 0;
        }
        // A cursor hidden by a tap shows again as soon as a key moves it.
        game->cursorVisible = true;
        moveCursorBy(dx, dy);
        game->lastCursorMove = now;
        return;
    }
    if (!ScreenCanvas::pointerDown && !actions[DCanvas::FIRE])
        return;
    int32_t x, y;
    if (!ScreenCanvas::pointerDown) {
        x = game->cursorX;
        y = game->cursorY;
        actions[DCanvas::FIRE] = false;
    } else {
        game->cursorVisible = false;
        game->cellUnderPoint(ScreenCanvas::pointerX, ScreenCanvas::pointerY, x, y);
        ScreenCanvas::pointerDown = false;
    }
    if (x < 0 || y < 0 || x >= game->width || y >= game->height)
        return;
    if (game->cellAt(x, y).kind != KIND_HOLE) {
        game->cursorX = x;
        game->cursorY = y;
    }
    game->choose(x, y);
}

// Steps by (dx, dy), wrapping at the edges, until the cursor is on a cell that is not a hole.
// The walk comes back to its start within width x height steps; a cursor that stands on a
// hole (a damaged save) stays where it is rather than searching for ever.
bool GameScreen::moveCursorBy(int32_t dx, int32_t dy)
{
    int32_t x = game->cursorX, y = game->cursorY;
    for (int32_t step = 0; step < game->width * game->height; ++step) {
        x += dx;
        y += dy;
        if (x < 0)
            x = game->width - 1;
        else if (x >= game->width)
            x = 0;
        if (y < 0)
            y = game->height - 1;
        else if (y >= game->height)
            y = 0;
        if (game->cellAt(x, y).kind != KIND_HOLE) {
            game->cursorX = x;
            game->cursorY = y;
            return true;
        }
    }
    return false;
}

} // namespace tintrow
