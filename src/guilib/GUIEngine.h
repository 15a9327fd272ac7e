// Global state of the GUI library: live widgets, screen stack, action queue, tokens, capture.
#pragma once

#include <cstdint>

#include "guilib/GUIAction.h"
#include "guilib/GUIEngine.ptr"
#include "gamelib/ImageFont.h"
#include "gamelib/SoundManager.h"
#include "gamelib/StringManager.h"
#include "guilib/GUIGraphics.h"
#include "guilib/GUIHost.h"
#include "guilib/GUIWidget.h"
#include "lang/DObject.h"
#include "lang/DString.ptr"
#include "util/DHashtable.ptr"
#include "util/DVector.ptr"

namespace guilib {

class GUIEngine : public vela::lang::DObject {
public:
    // The single instance, created on first use.
    static GUIEnginePtr getInstance();
    // Empties the queue, disposes every live widget and drops the instance.
    static void shutdown();

    ~GUIEngine() override;

    void attachWidget(GUIWidget* widget);
    void detachWidget(GUIWidget* widget);

    GUIWidgetPtr getTopScreen() const;
    void pushScreen(const GUIWidgetPtr& screen);
    void popScreen();
    void closeScreen(const GUIWidgetPtr& widget);
    void closeAllScreens();

    void postAction(const GUIActionPtr& action);
    GUIActionPtr pollAction();
    void executeAction(const GUIActionPtr& action);

    void putToken(const vela::lang::DStringPtr& key, const vela::lang::DObjectPtr& value);
    vela::lang::DObjectPtr getToken(const vela::lang::DStringPtr& key) const;

    void setPointerCapture(const GUIWidgetPtr& widget);
    GUIWidgetPtr getPointerCapture() const { return pointerCapture; }

    void update();
    void paint(const DGraphicsPtr& g, bool topOnly);

    // The application's side of the library: the running game's unless tests set another.
    void setHost(GUIHost* newHost);
    GUIHost& getHost() const;
    int32_t getScreenWidth() const { return getHost().getScreenWidth(); }
    int32_t getScreenHeight() const { return getHost().getScreenHeight(); }
    // Sounds go to `soundManager` unless another control is set (tests record them).
    void setSoundControl(GUISoundControl* control) { soundControl = control; }
    GUISoundControl* getSoundControl();

    vela::util::DVectorPtr widgets;
    vela::util::DVectorPtr screens;
    int32_t language = 0;
    vela::util::DVectorPtr actionQueue;
    vela::util::DHashtablePtr tokens;
    gamelib::StringManagerPtr defaultStrings;
    gamelib::ImageFontPtr defaultFont;
    gamelib::SoundManagerPtr soundManager;
    GUIWidgetPtr pointerCapture;
    bool pointerWasDown = false;
    bool captureLocked = false;

private:
    GUIEngine();
    void sendPointerEvents(bool justPressed);
    void runBuiltIn(GUIAction& action);

    GUIHost* host = nullptr;
    GUISoundControl* soundControl = nullptr;
    GUISoundManagerControl managerControl;
};

} // namespace guilib
