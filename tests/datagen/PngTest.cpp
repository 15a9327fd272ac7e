// Flattening onto the key colour, and damaged PNG bytes.
#include "Png.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace datagen;

TEST(Flatten, TransparentBecomesKeyAndDrawnPixelsNeverDo)
{
    Canvas c(3, 1);
    c.at(0, 0) = Rgba{0.2f, 0.4f, 0.6f, 0.1f};  // mostly transparent
    c.at(1, 0) = Rgba{1, 0, 1, 1};              // drawn magenta must stay visible
    c.at(2, 0) = Rgba{1, 1, 1, 0.5f};           // half covered: laid on the matte
    RgbImage img = flattenKeyed(c, rgb(0x000000));
    EXPECT_EQ(img.pixel(0, 0), KEY_COLOUR);
    EXPECT_NE(toRgb565(img.pixel(1, 0)), toRgb565(KEY_COLOUR));
    EXPECT_EQ(img.pixel(2, 0), 0x808080u);
    RgbImage opaque = flattenOpaque(c, rgb(0x000000));
    EXPECT_NE(opaque.pixel(0, 0), KEY_COLOUR);
}

TEST(Png, DamagedBytesAreRejected)
{
    RgbImage img{4, 4, std::vector<uint8_t>(48, 7)};
    Bytes png = encodePng(img);
    EXPECT_THROW(decodePng(Bytes(png.begin(), png.begin() + 30)), std::runtime_error);
    EXPECT_THROW(decodePng(Bytes{1, 2, 3}), std::runtime_error);
}
