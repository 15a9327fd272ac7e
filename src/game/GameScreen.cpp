// The game screen's life (creation, showing, release) and its side of the rules' host: clock,
// sounds, volumes, level files and the effects the rules ask for.
#include "game/GameScreen.h"

#include <cassert>
#include <cstdlib>

#include "gamelib/Resources.h"
#include "gamelib/ScreenCanvas.h"
#include "guilib/GUIText.h"
#include "io/DInputStream.h"
#include "lang/DInteger.h"
#include "lang/DSystem.h"
#include "microedition/lcdui/DImage.h"
#include "microedition/media/DPlayer.h"

using namespace vela::lang;
using gamelib::ImageManager;
using gamelib::Resources;
using gamelib::ScreenCanvas;
using gamelib::SoundManager;
using vela::microedition::media::DPlayerPtr;

namespace tintrow {

namespace {

const int32_t SOUND_VOLUME = 0;

bool isTableSound(int32_t index)
{
    return index >= 0 && index < SoundManager::GAME_SOUND_COUNT;
}

} // namespace

GameScreen::GameScreen(GameScreenHost& flow) : flow(flow)
{
    // Made here rather than in the initialiser list: the rules read the clock through this
    // object at once.
    game = new Game(*this);
    gameSprites = new ImageManager();
    gameOverText = new DString(u"GAME OVER");
    levelCompleteText = new DString(u"LEVEL COMPLETE");
    scorePrefix = new DString(u"SCORE ");
    clearParticles();
}

GameScreen::~GameScreen() = default;

Game& GameScreen::rules()
{
    assert(game && "the game screen was released");
    return *game;
}

ImageManager& GameScreen::sprites()
{
    return *gameSprites;
}

void GameScreen::show()
{
    ScreenCanvas::resetActionFlags();
    game->gamePaused = false;
    ScreenCanvas::hiddenSequence.entered = false;
    flow.soundManager().stop(SoundManager::ALL_SOUNDS, false);
    // The draw is widened so that the one negative value without a magnitude still picks a tune.
    const int64_t draw = game->random->nextInt();
    const int32_t tune = SoundManager::SOUND_GAME_MUSIC_1 + int32_t(std::llabs(draw) % GAME_TUNE_COUNT);
    playSound(tune, 0, true);
}

void GameScreen::release()
{
    flow.soundManager().stop(SoundManager::ALL_SOUNDS, false);
    for (DPlayerPtr& player : players)
        player = nullptr;
    tileImage = borderH = borderV = backImage = barBackTile = barSelTile = nullptr;
    for (auto& corner : corners)
        corner = nullptr;
    background = barFill = nullptr;
    tilePixels = panelPixels = nullptr;
    ptsText = nullptr;
    gameSprites = nullptr;
    game = nullptr;
}

int64_t GameScreen::currentTimeMillis()
{
    return DSystem::currentTimeMillis();
}

void GameScreen::playSound(int32_t index, int32_t pan, bool loop)
{
    DPlayerPtr started = flow.soundManager().play(index, loop, pan);
    if (isTableSound(index))
        players[index] = started;
}

// The pan goes to the player that plays: when the sound was already playing, that is a clone
// the sound table does not know.
void GameScreen::setSoundPan(int32_t index, int32_t pan)
{
    if (isTableSound(index) && players[index] && players[index]->isPlaying())
        players[index]->setPan(pan);
}

void GameScreen::stopSound(int32_t index)
{
    flow.soundManager().stopSound(index);
    if (isTableSound(index))
        players[index] = nullptr;
}

// The volumes the player set, kept by the sound control even while sound is off; reading them
// does not start the audio device.
int32_t GameScreen::volume(int32_t which)
{
    SoundManager& sounds = flow.soundManager();
    return which == SOUND_VOLUME ? sounds.soundVolume : sounds.musicVolume;
}

void GameScreen::setVolumes(int32_t first, int32_t second)
{
    flow.soundManager().setSoundVolume(first);
    flow.soundManager().setMusicVolume(second);
}

DbyteArrayPtr GameScreen::readLevel(int32_t index)
{
    if (index < 0)
        return nullptr;
    vela::io::DInputStreamPtr in = Resources::openResource(DInteger::toString(index) + u".bin");
    if (!in)
        return nullptr;
    // Plain files end with an exception on a single-byte read, so read in blocks.
    DbyteArrayPtr data = new DbyteArray(in->available());
    int32_t filled = 0;
    while (filled < data->length()) {
        int32_t n = in->read(data, filled, data->length() - filled);
        if (n <= 0)
            break;
        filled += n;
    }
    in->close();
    return data;
}

void GameScreen::drawLevelBackground()
{
    paintBackground();
}

void GameScreen::restartTimeIndicator()
{
    timeIndicatorFrame = 0;
}

void GameScreen::clearParticles()
{
    const int32_t below = game ? game->screenHeight + 1 : 0x7FFFFFFF;
    for (Particle& particle : particles)
        particle.y = below;
}

void GameScreen::resetActions()
{
    ScreenCanvas::resetActionFlags();
}

void GameScreen::refreshInGameMenu()
{
    flow.refreshInGameMenu();
}

void GameScreen::showLevelTips()
{
    flow.showLevelTips();
}

} // namespace tintrow
