// Looks: tiling steps an animation once and only when it draws; an animation without loop finishes.
#include "GUITestAssets.h"
#include "GUITestSupport.h"
#include "guilib/GUIAnimation.h"

using namespace gamelib;
using namespace guilib;
using namespace guitest;

namespace {

class GUILooksTest : public GUITest {
protected:
    DImagePtr target = solidImage(64, 64, 0x000000);
    DGraphicsPtr g = target->getGraphics();
};

TEST_F(GUILooksTest, TilingStepsTheAnimationOnceOnlyWhenItDrawsAndAnAnimationWithoutLoopFinishes)
{
    GUIAnimationPtr looping = new GUIAnimation(testSprites(3), 0, true);
    looping->setFrame(1);
    for (GUIRect empty : {GUIRect{0, 0, 0, 20}, GUIRect{0, 0, 20, 0}}) {
        looping->drawTiled(g, empty.x, empty.y, empty.width, empty.height, false);
        EXPECT_EQ(looping->frame, 1) << "nothing was shown";
    }
    looping->drawTiled(g, 0, 0, 40, 40, false);
    EXPECT_EQ(looping->frame, 2) << "one step for all tiles";
    looping->drawTiled(g, 0, 0, 8, 8, false);
    EXPECT_EQ(looping->frame, 0) << "a loop starts over";
    GUIAnimationPtr(new GUIAnimation(new ImageManager(), 3, true))->drawTiled(g, 0, 0, 40, 40, true);
    GUIAnimationPtr once = new GUIAnimation(testSprites(3), 0, false);
    for (int32_t expected : {1, 2, 2}) {
        once->drawAndAdvance(g, 0, 0);
        EXPECT_EQ(once->frame, expected);
    }
    EXPECT_TRUE(once->isFinished());
}

} // namespace
