// The game object until the menus exist: the rules, and the title picture until a key or tap.
#pragma once

#include "game/Game.h"
#include "gamelib/GameFlow.h"
#include "microedition/lcdui/DImage.ptr"

class TitleScreen : public GameFlow, private tintrow::GameHost {
public:
    static GameFlowPtr create();

    void startUp() override;
    void tick() override;
    void paint(const vela::microedition::lcdui::DGraphicsPtr& g) override;
    void pause() override;
    void shutdown() override;

private:
    // The world as the rules see it: the clock and the level files; no sound device yet.
    int64_t currentTimeMillis() override;
    void playSound(int32_t, int32_t, bool) override {}
    void setSoundPan(int32_t, int32_t) override {}
    void stopSound(int32_t) override {}
    int32_t volume(int32_t) override { return 0; }
    void setVolumes(int32_t, int32_t) override {}
    vela::lang::DbyteArrayPtr readLevel(int32_t index) override;
    void drawLevelBackground() override {}
    void restartTimeIndicator() override {}
    void clearParticles() override {}
    void resetActions() override;
    void refreshInGameMenu() override {}
    void showLevelTips() override {}

    tintrow::GamePtr rules;
    vela::microedition::lcdui::DImagePtr background;
    vela::microedition::lcdui::DImagePtr logo;
};
