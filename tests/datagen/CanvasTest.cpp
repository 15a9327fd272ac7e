// Canvas blending and shapes, on which every picture of the data rests.
#include "Canvas.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace datagen;

static float coverage(const Canvas& c)
{
    float sum = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            sum += c.at(x, y).a;
    return sum;
}

TEST(Canvas, SourceOverBlending)
{
    Canvas c(1, 1);
    c.blend(0, 0, rgb(0xFF0000), 1.0f);
    c.blend(0, 0, Rgba{0, 0, 1, 1}, 0.25f);
    EXPECT_FLOAT_EQ(c.at(0, 0).r, 0.75f);
    EXPECT_FLOAT_EQ(c.at(0, 0).b, 0.25f);
    EXPECT_FLOAT_EQ(c.at(0, 0).a, 1.0f);
    Canvas clear(1, 1);
    clear.blend(0, 0, rgb(0x00FF00), 0.5f);
    EXPECT_FLOAT_EQ(clear.at(0, 0).g, 1.0f) << "colour stays pure over nothing";
    EXPECT_FLOAT_EQ(clear.at(0, 0).a, 0.5f);
    clear.blend(5, 5, rgb(0), 1.0f);  // outside: ignored
}

TEST(Canvas, ShapesCoverTheirArea)
{
    struct Case {
        const char* what;
        void (*draw)(Canvas&);
        float area;
    };
    const Case cases[] = {
        {"circle", [](Canvas& c) { c.fillCircle(20, 20, 10, rgb(0xFFFFFF)); }, float(M_PI) * 100},
        {"rect", [](Canvas& c) { c.fillRect(5, 5, 10, 7, rgb(0xFFFFFF)); }, 70},
        {"round rect", [](Canvas& c) { c.fillRoundRect(4, 4, 20, 10, 0, rgb(0xFFFFFF)); }, 200},
        {"triangle", [](Canvas& c) { c.fillPolygon({0, 0, 20, 0, 0, 20}, rgb(0xFFFFFF)); }, 200},
        {"ellipse", [](Canvas& c) { c.fillEllipse(20, 20, 12, 6, rgb(0xFFFFFF)); }, float(M_PI) * 72},
    };
    for (const Case& k : cases) {
        Canvas c(40, 40);
        k.draw(c);
        EXPECT_NEAR(coverage(c), k.area, k.area * 0.04f) << k.what;
    }
}

TEST(Canvas, TurnsClockwiseAndScalesByAveraging)
{
    Canvas c(2, 1);
    c.at(0, 0) = rgb(0xFF0000);
    c.at(1, 0) = rgb(0x0000FF);
    Canvas r = c.rotated90();
    ASSERT_EQ(r.width(), 1);
    ASSERT_EQ(r.height(), 2);
    EXPECT_FLOAT_EQ(r.at(0, 0).r, 1.0f);
    EXPECT_FLOAT_EQ(r.at(0, 1).b, 1.0f);
    Canvas half = c.scaled(1, 1);
    EXPECT_FLOAT_EQ(half.at(0, 0).r, 0.5f);
    EXPECT_FLOAT_EQ(half.at(0, 0).b, 0.5f);
}
