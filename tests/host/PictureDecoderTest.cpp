// Picture decoding compared pixel for pixel with an independent decoder, and damaged input.
#include "host/PictureDecoder.h"
#include "host/PngWriter.h"
#include "support/Files.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// The surface the reference RGBA should give: clear below alpha 128, else truncated to RGB565.
uint16_t expectedPixel(const uint8_t* rgba)
{
    return rgba[3] < 128 ? host::KEY_COLOUR : host::toRgb565(uint32_t(rgba[0]) << 16 | rgba[1] << 8 | rgba[2]);
}

// The largest difference of one channel, in 5-bit steps.
int channelDistance(uint16_t a, uint16_t b)
{
    int d = std::max(std::abs((a >> 11) - (b >> 11)), std::abs(((a >> 5) & 0x3F) - ((b >> 5) & 0x3F)) / 2);
    return std::max(d, std::abs((a & 0x1F) - (b & 0x1F)));
}

// Pictures of every kind, written once for the suite together with what Pillow reads from them.
struct PictureDecoderTest : ::testing::Test {
    static void SetUpTestSuite()
    {
        support::RunResult r = support::run({"/usr/bin/python3", TINTROW_MAKE_PICTURES, folder.path()});
        ASSERT_EQ(r.status, 0) << "needs Debian's python3 with python3-pil: " << r.err;
    }
    static support::TempDir folder;
};

support::TempDir PictureDecoderTest::folder;

TEST_F(PictureDecoderTest, EveryKindOfPictureMatchesTheReferenceDecoder)
{
    std::ifstream list(folder / "list.txt");
    std::string path;
    int width, height, pictures = 0;
    for (; list >> path >> width >> height; ++pictures) {
        host::Surface s;
        std::string error;
        ASSERT_TRUE(host::loadPictureFile(path, s, error)) << path << ": " << error;
        ASSERT_EQ(std::make_pair(s.width, s.height), std::make_pair(width, height)) << path;
        support::Bytes reference = support::readFile(path + ".rgba");
        ASSERT_EQ(reference.size(), size_t(width) * height * 4) << path;
        bool jpeg = path.compare(path.size() - 4, 4, ".jpg") == 0;
        int worst = 0;
        for (size_t i = 0; i < s.pixels.size(); ++i) {
            uint16_t expected = expectedPixel(&reference[i * 4]);
            if (jpeg)
                worst = std::max(worst, channelDistance(s.pixels[i], expected));
            else
                ASSERT_EQ(s.pixels[i], expected) << path << " pixel " << i;
        }
        EXPECT_LE(worst, 2) << path << ": JPEG decoders may differ by rounding only";
    }
    EXPECT_GE(pictures, 30);
}

TEST_F(PictureDecoderTest, DamagedAndMissingPicturesFailCleanly)
{
    support::Bytes png = support::readFile(folder / "png-c6-d8-i.png"), jpg = support::readFile(folder / "photo.jpg");
    support::Bytes badCrc = png, hugePng = png;
    badCrc[badCrc.size() - 20] ^= 0x55; // inside the picture data
    hugePng[16] = 0x7F;                 // a width of about two thousand million
    const struct { const char* name; support::Bytes bytes; } cases[] = {
        {"empty", {}},
        {"signature only", support::Bytes(png.begin(), png.begin() + 8)},
        {"truncated png", support::Bytes(png.begin(), png.begin() + long(png.size() / 2))},
        {"corrupted png data", badCrc},
        {"absurd png size", hugePng},
        {"truncated jpeg", support::Bytes(jpg.begin(), jpg.begin() + long(jpg.size() / 2))},
        {"jpeg header only", support::Bytes(jpg.begin(), jpg.begin() + 20)},
    };
    host::Surface s;
    std::string error;
    for (const auto& c : cases) {
        EXPECT_FALSE(host::decodePicture(c.bytes.data(), c.bytes.size(), s, error)) << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
        EXPECT_EQ(s.width, 0) << c.name;
    }
    // A frame header that declares 27248 x 25959 pixels is refused before libjpeg buffers
    // anything for it (a progressive file's buffers hold the whole picture).
    std::vector<uint8_t> hugeJpeg = jpg;
    for (size_t i = 0; i + 9 < hugeJpeg.size(); ++i) {
        if (hugeJpeg[i] == 0xFF && (hugeJpeg[i + 1] == 0xC0 || hugeJpeg[i + 1] == 0xC2)) {
            const uint8_t size[] = {0x6A, 0x70, 0x65, 0x67}; // height, width
            std::copy(std::begin(size), std::end(size), hugeJpeg.begin() + long(i) + 5);
            break;
        }
    }
    EXPECT_FALSE(host::decodePicture(hugeJpeg.data(), hugeJpeg.size(), s, error));
    EXPECT_EQ(error, "picture too large");
    EXPECT_FALSE(host::loadPictureFile(folder / "no-such.png", s, error));
    EXPECT_NE(error.find("no-such.png"), std::string::npos);
}

} // namespace
