// Picture decoding compared pixel for pixel with an independent decoder, and damaged input.
#include "host/PictureDecoder.h"
#include "host/PngWriter.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

std::vector<uint8_t> readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}


// The surface the reference RGBA should give: clear below alpha 128, else truncated to RGB565.
uint16_t expectedPixel(const uint8_t* rgba)
{
    return rgba[3] < 128 ? host::KEY_COLOUR : host::toRgb565(uint32_t(rgba[0]) << 16 | rgba[1] << 8 | rgba[2]);
}

int channelDistance(uint16_t a, uint16_t b)
{
    int d = std::max(std::abs((a >> 11) - (b >> 11)), std::abs(((a >> 5) & 0x3F) - ((b >> 5) & 0x3F)) / 2);
    return std::max(d, std::abs((a & 0x1F) - (b & 0x1F)));
}

class PictureDecoderTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new TempFolder();
        std::string command = std::string("/usr/bin/python3 ") + TINTROW_MAKE_PICTURES + " " + folder->path;
        ASSERT_EQ(std::system(command.c_str()), 0) << "needs Debian's python3 with python3-pil";
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }

    struct Listed {
        std::string path;
        int width, height;
    };
    static std::vector<Listed> listed()
    {
        std::vector<Listed> out;
        std::ifstream list(folder->file("list.txt"));
        Listed l;
        while (list >> l.path >> l.width >> l.height)
            out.push_back(l);
        return out;
    }

    static TempFolder* folder;
};

TempFolder* PictureDecoderTest::folder = nullptr;

TEST_F(PictureDecoderTest, EveryKindOfPictureMatchesTheReferenceDecoder)
{
    std::vector<Listed> pictures = listed();
    ASSERT_GE(pictures.size(), 30u);
    for (const Listed& p : pictures) {
        host::Surface s;
        std::string error;
        ASSERT_TRUE(host::loadPictureFile(p.path, s, error)) << p.path << ": " << error;
        ASSERT_EQ(s.width, p.width) << p.path;
        ASSERT_EQ(s.height, p.height) << p.path;
        std::vector<uint8_t> reference = readFile(p.path + ".rgba");
        ASSERT_EQ(reference.size(), size_t(p.width) * p.height * 4) << p.path;
        bool jpeg = p.path.size() > 4 && p.path.compare(p.path.size() - 4, 4, ".jpg") == 0;
        int worst = 0;
        for (size_t i = 0; i < s.pixels.size(); ++i) {
            uint16_t expected = expectedPixel(&reference[i * 4]);
            if (jpeg)
                worst = std::max(worst, channelDistance(s.pixels[i], expected));
            else
                ASSERT_EQ(s.pixels[i], expected) << p.path << " pixel " << i;
        }
        EXPECT_LE(worst, 2) << p.path << ": JPEG decoders may differ by rounding only";
    }
}

TEST_F(PictureDecoderTest, DamagedPicturesFailCleanly)
{
    std::vector<uint8_t> png = readFile(folder->file("png-c6-d8-i.png"));
    std::vector<uint8_t> jpg = readFile(folder->file("photo.jpg"));
    ASSERT_GT(png.size(), 60u);
    ASSERT_GT(jpg.size(), 200u);
    std::vector<uint8_t> badCrc = png;
    badCrc[badCrc.size() - 20] ^= 0x55; // inside the picture data
    std::vector<uint8_t> hugePng = png;
    hugePng[16] = 0x7F; // a width of about two thousand million
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"signature only", std::vector<uint8_t>(png.begin(), png.begin() + 8)},
        {"truncated png", std::vector<uint8_t>(png.begin(), png.begin() + png.size() / 2)},
        {"corrupted png data", badCrc},
        {"absurd png size", hugePng},
        {"truncated jpeg", std::vector<uint8_t>(jpg.begin(), jpg.begin() + jpg.size() / 2)},
        {"jpeg header only", std::vector<uint8_t>(jpg.begin(), jpg.begin() + 20)},
        {"text", {'h', 'e', 'l', 'l', 'o'}},
    };
    for (const auto& c : cases) {
        host::Surface s;
        std::string error;
        EXPECT_FALSE(host::decodePicture(c.bytes.data(), c.bytes.size(), s, error)) << c.name;
        EXPECT_FALSE(error.empty()) << c.name;
        EXPECT_EQ(s.width, 0) << c.name;
    }
}

TEST_F(PictureDecoderTest, MissingFileFails)
{
    host::Surface s;
    std::string error;
    EXPECT_FALSE(host::loadPictureFile(folder->file("no-such.png"), s, error));
    EXPECT_NE(error.find("no-such.png"), std::string::npos);
}

TEST(PngWriter, WritesEightBitRgbThatDecodesToTheSamePixels)
{
    TempFolder folder;
    host::Surface s(7, 3);
    for (size_t i = 0; i < s.pixels.size(); ++i)
        s.pixels[i] = uint16_t(i * 2654435761u >> 7);
    s.pixels[0] = host::KEY_COLOUR; // written as magenta, read back as an opaque magenta pixel
    std::string error;
    ASSERT_TRUE(host::writePng(s, folder.file("a.png"), error)) << error;
    ASSERT_TRUE(host::writePng(s, folder.file("b.png"), error)) << error;
    EXPECT_EQ(readFile(folder.file("a.png")), readFile(folder.file("b.png"))) << "shots are deterministic";
    std::vector<uint8_t> bytes = readFile(folder.file("a.png"));
    ASSERT_GT(bytes.size(), 26u);
    EXPECT_EQ(bytes[24], 8) << "bit depth";
    EXPECT_EQ(bytes[25], 2) << "colour type RGB";
    host::Surface back;
    ASSERT_TRUE(host::decodePicture(bytes.data(), bytes.size(), back, error)) << error;
    EXPECT_EQ(back.pixels, s.pixels);
}

TEST(PngWriter, ReportsAFolderThatDoesNotExist)
{
    host::Surface s(2, 2);
    std::string error;
    EXPECT_FALSE(host::writePng(s, "/nonexistent-folder/x.png", error));
    EXPECT_FALSE(error.empty());
}

TEST(Transform, EachTransformMovesPixelsAsTheSpriteTransformsDo)
{
    host::Surface src(3, 2); // a b c / d e f
    for (int i = 0; i < 6; ++i)
        src.pixels[i] = uint16_t('a' + i);
    const struct {
        int transform;
        int w, h;
        const char* pixels;
    } cases[] = {
        {host::TRANSFORM_NONE, 3, 2, "abcdef"},
        {host::TRANSFORM_MIRROR, 3, 2, "cbafed"},
        {host::TRANSFORM_ROT180, 3, 2, "fedcba"},
        {host::TRANSFORM_ROT90, 2, 3, "daebfc"},
        {host::TRANSFORM_ROT270, 2, 3, "cfbead"},
    };
    for (const auto& c : cases) {
        host::Surface t = host::transformed(src, c.transform);
        ASSERT_EQ(t.width, c.w) << c.transform;
        ASSERT_EQ(t.height, c.h) << c.transform;
        std::string got;
        for (uint16_t p : t.pixels)
            got += char(p);
        EXPECT_EQ(got, c.pixels) << c.transform;
    }
}

} // namespace
