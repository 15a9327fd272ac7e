// Pointer capture: the gesture held through with points relative to the widget.
#include <cstring>

#include "GUITestSupport.h"

using namespace gamelib;
using namespace guilib;

namespace {

// A screen with two overlapping children and a grandchild.
class GUIPointerTest : public guitest::GUITest {
protected:
    void SetUp() override
    {
        GUITest::SetUp();
        screen = makeScreen(1);
        screen->setClientRect(0, 0, 240, 320, false);
        first = screen->addChild(makeWidget(2, 10, 10, 100, 100));
        second = screen->addChild(makeWidget(3, 50, 50, 100, 100));
        inner = second->addChild(makeWidget(4, 10, 10, 20, 20));
        engine().pushScreen(screen);
    }
    GUIWidgetPtr screen, first, second, inner;
};

TEST_F(GUIPointerTest, CaptureHoldsThroughTheGestureWithPointsRelativeToTheWidget)
{
    static int32_t pressData[2], dragData[4];
    inner->setClientRect(2, 3, 10, 10, false);
    inner->setCallback(GUIWidget::EVENT_POINTER_PRESSED,
                       [](GUIAction& a) { std::memcpy(pressData, a.data.get(), sizeof pressData); });
    inner->setCallback(GUIWidget::EVENT_POINTER_DRAGGED, [](GUIAction& a) {
        ASSERT_EQ(a.dataLength, 16);
        std::memcpy(dragData, a.data.get(), sizeof dragData);
    });
    first->setState(GUIWidget::STATE_VISIBLE, false);
    press(65, 66);
    dragTo(200, 200);
    EXPECT_EQ(engine().getPointerCapture(), inner) << "held beyond its bounds";
    EXPECT_TRUE(inner->hasState(GUIWidget::STATE_DRAGGED | GUIWidget::STATE_PRESSED));
    EXPECT_EQ(std::vector<int32_t>(pressData, pressData + 2), (std::vector<int32_t>{5, 6}));
    // Drag points are relative to the client origin (62, 63).
    EXPECT_EQ(std::vector<int32_t>(dragData, dragData + 4), (std::vector<int32_t>{3, 3, 138, 137}));
    release();
    EXPECT_EQ(engine().getPointerCapture(), nullptr);
    EXPECT_FALSE(inner->hasState(GUIWidget::STATE_DRAGGED) || inner->hasState(GUIWidget::STATE_PRESSED));
}

} // namespace
