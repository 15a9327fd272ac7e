// The engine on the running game's input: the screen canvas's statics and the game context.
#include <gtest/gtest.h>

#include "gamelib/GameContext.h"
#include "gamelib/ScreenCanvas.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIWidget.h"

using namespace gamelib;
using namespace guilib;

namespace {

void clearCanvas()
{
    ScreenCanvas::resetActionFlags();
    ScreenCanvas::resetInput();
    ScreenCanvas::pointerDown = ScreenCanvas::keyEventSeen = false;
}

TEST(GUIGameLibHostTest, TheEngineReadsAndClearsTheCanvasInputAndScreenSize)
{
    clearCanvas();
    GUIWidgetPtr screen = new GUIWidget(1);
    screen->setFullScreen();
    EXPECT_EQ(screen->getBounds(), (GUIRect { 0, 0, 240, 320 }))
        << "before the canvas: the default device";
    GameContext::get().screenWidth = 176;
    GameContext::get().screenHeight = 220;
    screen->setFullScreen();
    EXPECT_EQ(screen->getBounds(), (GUIRect { 0, 0, 176, 220 }));
    static int32_t code;
    screen->setCallback(GUIWidget::EVENT_KEY, [](GUIAction& a) { code = a.dataInt(0); });
    GUIWidgetPtr button = screen->addChild(new GUIWidget(2));
    button->setBounds(0, 0, 176, 220);
    GUIEnginePtr engine = GUIEngine::getInstance();
    ScreenCanvas::actions[4] = ScreenCanvas::pointerDown = true;
    engine->pushScreen(screen);
    EXPECT_FALSE(ScreenCanvas::actions[4]);
    EXPECT_FALSE(ScreenCanvas::pointerDown);
    ScreenCanvas::lastKeyCode = 55;
    ScreenCanvas::keyEventSeen = true;
    ScreenCanvas::pointerX = ScreenCanvas::previousPointerX = 100;
    ScreenCanvas::pointerY = ScreenCanvas::previousPointerY = 200;
    ScreenCanvas::pointerDown = true;
    engine->update();
    while (GUIActionPtr a = engine->pollAction())
        engine->executeAction(a);
    EXPECT_EQ(code, 55);
    EXPECT_FALSE(ScreenCanvas::keyEventSeen);
    EXPECT_EQ(engine->getPointerCapture(), button);
    EXPECT_TRUE(button->hasState(GUIWidget::STATE_PRESSED));
    GUIEngine::shutdown();
    clearCanvas();
    GameContext::reset();
}

} // namespace
