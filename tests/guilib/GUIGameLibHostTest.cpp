// The engine on the running game's input: the screen canvas's statics and the game context.
#include <gtest/gtest.h>

#include "gamelib/GameContext.h"
#include "gamelib/ScreenCanvas.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIWidget.h"

using namespace gamelib;

namespace {

class GUIGameLibHostTest : public ::testing::Test {
protected:
    void SetUp() override { clearCanvas(); }
    void TearDown() override
    {
        GUIEngine::shutdown();
        clearCanvas();
        GameContext::reset();
    }
    static void clearCanvas()
    {
        ScreenCanvas::resetActionFlags();
        ScreenCanvas::resetInput();
        ScreenCanvas::pointerDown = false;
        ScreenCanvas::keyEventSeen = false;
    }
};

TEST_F(GUIGameLibHostTest, PushingAScreenClearsTheCanvasActionFlags)
{
    ScreenCanvas::actions[4] = true;
    ScreenCanvas::pointerDown = true;
    GUIEngine::getInstance()->pushScreen(new GUIWidget(1));
    EXPECT_FALSE(ScreenCanvas::actions[4]);
    EXPECT_FALSE(ScreenCanvas::pointerDown);
}

TEST_F(GUIGameLibHostTest, KeyPassReadsTheCanvasAndClearsKeyEventSeen)
{
    static int32_t code;
    code = 0;
    GUIWidgetPtr screen = new GUIWidget(1);
    screen->setCallback(GUIWidget::EVENT_KEY, [](GUIAction& a) { code = a.dataInt(0); });
    GUIEnginePtr engine = GUIEngine::getInstance();
    engine->pushScreen(screen);
    ScreenCanvas::lastKeyCode = 55;
    ScreenCanvas::keyEventSeen = true;
    engine->update();
    while (GUIActionPtr a = engine->pollAction())
        engine->executeAction(a);
    EXPECT_EQ(code, 55);
    EXPECT_FALSE(ScreenCanvas::keyEventSeen);
}

TEST_F(GUIGameLibHostTest, PointerCaptureUsesTheCanvasPointerAndScreenSize)
{
    GameContext::get().screenWidth = 176;
    GameContext::get().screenHeight = 220;
    GUIWidgetPtr screen = new GUIWidget(1);
    screen->setFullScreen();
    EXPECT_EQ(screen->getBounds(), (GUIRect{ 0, 0, 176, 220 }));
    GUIWidgetPtr button = screen->addChild(new GUIWidget(2));
    button->setBounds(0, 0, 176, 220);
    GUIEnginePtr engine = GUIEngine::getInstance();
    engine->pushScreen(screen);
    ScreenCanvas::pointerX = ScreenCanvas::previousPointerX = 100;
    ScreenCanvas::pointerY = ScreenCanvas::previousPointerY = 200;
    ScreenCanvas::pointerDown = true;
    engine->update();
    EXPECT_EQ(engine->getPointerCapture(), button);
    EXPECT_TRUE(button->hasState(GUIWidget::STATE_PRESSED));
}

TEST_F(GUIGameLibHostTest, BeforeTheCanvasTheScreenIsTheDefaultDevice)
{
    GUIWidgetPtr screen = new GUIWidget(1);
    screen->setFullScreen();
    EXPECT_EQ(screen->getBounds(), (GUIRect{ 0, 0, 240, 320 }));
}

} // namespace
