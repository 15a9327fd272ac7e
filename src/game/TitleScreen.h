// The game object until the menus exist: the title picture, then, after a key or tap, progress
// level 0 on the game screen (tips skipped), and the title again when the game has ended.
#pragma once

#include "game/GameScreen.h"
#include "game/GameScreenHost.h"
#include "gamelib/GameFlow.h"
#include "gamelib/SoundManager.h"
#include "microedition/lcdui/DImage.ptr"

class TitleScreen : public GameFlow, private tintrow::GameScreenHost {
public:
    static GameFlowPtr create();

    void startUp() override;
    void tick() override;
    void paint(const vela::microedition::lcdui::DGraphicsPtr& g) override;
    void pause() override;
    void shutdown() override;

private:
    // The screen flow as the game screen sees it; pausing simply goes on playing.
    void pause(bool stopSounds) override;
    void gameFinished() override;
    void showLevelTips() override;
    void refreshInGameMenu() override {}
    SoundManager& soundManager() override;

    void loadStrings();
    void paintTitle(const vela::microedition::lcdui::DGraphicsPtr& g);

    tintrow::GameScreenPtr screen;
    SoundManagerPtr sounds;
    bool playing = false;
    vela::microedition::lcdui::DImagePtr background;
    vela::microedition::lcdui::DImagePtr logo;
};
