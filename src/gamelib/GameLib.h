// The application object: start-up with the logo screen, the fixed-rate scheduler, pausing.
#pragma once

#include "gamelib/FrameScheduler.h"
#include "gamelib/GameFlow.h"
#include "gamelib/GameLib.ptr"
#include "lang/DString.h"
#include "microedition/midlet/DMIDlet.h"

namespace gamelib {

class GameLib : public vela::microedition::midlet::DMIDlet, private FrameScheduler::Client {
public:
    static constexpr int64_t SPLASH_MILLIS = 2000;
    // The key code that pausing injects; the default key map binds it to action 13.
    static constexpr int32_t PAUSE_KEY = -4;

    // The game object is made by `factory` once the logo screen has been shown.
    explicit GameLib(GameFlowFactory factory);
    ~GameLib() override;

    // Start-up waits (logo, title) that show a still picture until the clock reaches deadline.
    static void waitUntil(int64_t deadline);

    void destroyApp(bool unconditional) override;
    void pauseApp() override;
    void startApp() override;
    void tick() override;
    int32_t millisUntilDue() override;
    vela::lang::DStringPtr getAppProperty(vela::lang::DStringPtr key) override;

private:
    // The message shown when no resolution file matches the screen size.
    void drawUnsupportedScreen(const vela::microedition::lcdui::DGraphicsPtr& g);
    void runTick() override;
    void paintFrame() override;
    bool checkScreenSize();
    void applyResolutionFile();
    void showLogo();
    void createGame();
    void releaseGame();
    void tickUnsupported();

    GameFlowFactory factory;
    // The message lines and "Exit", made once: the unsupported screen is drawn every pass.
    vela::lang::DStringArrayPtr unsupportedTexts;
};

} // namespace gamelib
