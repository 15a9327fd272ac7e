// Images (mutable, from files, transformed, missing) and system fonts.
#include "host/PngWriter.h"
#include "io/HostPaths.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "microedition/lcdui/DCharMask.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace vela;
using namespace vela::microedition::lcdui;

namespace {

TEST(Image, MutableImagesStartWhite)
{
    DImagePtr img = DImage::createImage(2, 2);
    EXPECT_EQ(img->getWidth(), 2);
    EXPECT_EQ(img->getHeight(), 2);
    EXPECT_EQ(img->surface().pixels, std::vector<uint16_t>(4, 0xFFFF));
    EXPECT_EQ(img->keyColour(), 0xF81F);
    img->getGraphics()->fillRect(0, 0, 1, 1);
    EXPECT_EQ(img->surface().pixels[0], 0) << "its graphics draw into it";
}

TEST(Image, UnusableSizesAreRejected)
{
    for (auto size : {std::pair<int, int>{0, 5}, {5, 0}, {-1, 3}, {100000, 100000}})
        EXPECT_TRUE(lang::catchKind(lang::IllegalArgumentException,
                                    [&] { DImage::createImage(size.first, size.second); }))
            << size.first << "x" << size.second;
}

// A picture file beside the test program, removed afterwards.
struct PictureBesideProgram : ::testing::Test {
    void SetUp() override
    {
        host::Surface s(3, 2);
        for (int i = 0; i < 6; ++i)
            s.pixels[i] = uint16_t(0x0841 * (i + 1));
        s.pixels[1] = host::KEY_COLOUR;
        picture = s;
        path = io::joinPath(io::programDirectory(), "test-picture-lcdui.png");
        std::string error;
        ASSERT_TRUE(host::writePng(s, path, error)) << error;
    }
    void TearDown() override { std::remove(path.c_str()); }

    host::Surface picture;
    std::string path;
};

TEST_F(PictureBesideProgram, LoadsByNameFromTheProgramFolder)
{
    for (const char16_t* name : {u"test-picture-lcdui.png", u"/test-picture-lcdui.png"}) {
        DImagePtr img = DImage::createImage(new lang::DString(name));
        EXPECT_EQ(img->surface().pixels, picture.pixels);
        EXPECT_EQ(img->keyColour(), 0xF81F);
    }
}

TEST_F(PictureBesideProgram, TransformsTurnTheLoadedPicture)
{
    DImagePtr turned = DImage::createImage(new lang::DString(u"test-picture-lcdui.png"), DImage::TRANS_ROT90);
    EXPECT_EQ(turned->getWidth(), 2);
    EXPECT_EQ(turned->getHeight(), 3);
    EXPECT_EQ(turned->surface().row(0)[0], picture.row(1)[0]);
    DImagePtr back = DImage::createImage(turned, DImage::TRANS_ROT270);
    EXPECT_EQ(back->surface().pixels, picture.pixels);
}

TEST(Image, MissingPictureThrowsIOException)
{
    EXPECT_TRUE(lang::catchKind(lang::IOException,
                                [] { DImage::createImage(new lang::DString(u"img/no-such-picture.png")); }));
}

TEST(Font, SameArgumentsGiveTheSameFont)
{
    DFontPtr a = DFont::getFont(0, 1, 8);
    EXPECT_EQ(DFont::getFont(0, 1, 8).get(), a.get());
    EXPECT_NE(DFont::getFont(0, 1, 16).get(), a.get());
    EXPECT_EQ(DFont::getDefaultFont().get(), DFont::getFont(0, 0, 0).get());
    EXPECT_EQ(a->getStyle(), 1);
    EXPECT_EQ(a->getSize(), 8);
}

TEST(Font, SizesFollowTheDotsPerInchRule)
{
    EXPECT_EQ(DFont::requestFor(0, 0, DFont::SIZE_MEDIUM).pixelHeight, -14);
    EXPECT_EQ(DFont::requestFor(0, 0, DFont::SIZE_SMALL).pixelHeight, -12);
    EXPECT_EQ(DFont::requestFor(0, 0, DFont::SIZE_LARGE).pixelHeight, -17);
    EXPECT_EQ(DFont::requestFor(0, 0, 3).pixelHeight, 13);
    int small = DFont::getFont(0, 0, 8)->getHeight(), medium = DFont::getFont(0, 0, 0)->getHeight(),
        large = DFont::getFont(0, 0, 16)->getHeight();
    EXPECT_LT(small, medium);
    EXPECT_LT(medium, large);
    EXPECT_EQ(DFont::getDefaultFont()->getAscent() + DFont::getDefaultFont()->getDescent(), medium);
}

TEST(Font, StringWidthIsTheSumOfCharacterWidths)
{
    DFontPtr f = DFont::getFont(DFont::FACE_MONOSPACE, 0, 0);
    int w = f->charWidth(u'i');
    ASSERT_GT(w, 0);
    EXPECT_EQ(f->charWidth(u'W'), w) << "monospace";
    EXPECT_EQ(f->stringWidth(new lang::DString(u"iWi")), 3 * w);
    EXPECT_EQ(f->stringWidth(new lang::DString(u"")), 0);
    EXPECT_TRUE(lang::catchKind(lang::NullPointerException, [&] { f->stringWidth(nullptr); }));
}

int ink(DCharMask* mask)
{
    int n = 0;
    for (uint8_t b : mask->rows) {
        EXPECT_TRUE(b == 0 || b == 0xFF) << "masks are not antialiased";
        n += b != 0;
    }
    return n;
}

TEST(Font, MasksHoldInkOnlyWhereTheGlyphIs)
{
    DFontPtr f = DFont::getDefaultFont();
    DCharMask* space = f->maskOf(u' ');
    ASSERT_NE(space, nullptr);
    EXPECT_GT(space->width, 0);
    EXPECT_EQ(space->height, f->getHeight());
    EXPECT_EQ(ink(space), 0);
    DCharMask* w = f->maskOf(u'W');
    ASSERT_NE(w, nullptr);
    EXPECT_GT(ink(w), 10);
    EXPECT_EQ(f->maskOf(u'W'), w) << "rendered once";
    EXPECT_GT(ink(DFont::getFont(0, DFont::STYLE_BOLD, 0)->maskOf(u'W')), ink(w));
    EXPECT_GE(ink(DFont::getFont(0, DFont::STYLE_UNDERLINED, 0)->maskOf(u' ')), space->width);
    DCharMask* late = f->maskOf(u'\u0416'); // beyond 255: rendered on demand
    ASSERT_NE(late, nullptr);
    EXPECT_EQ(late->character, u'\u0416');
}

TEST(Font, ProportionalUsesTheMonospaceFace)
{
    DFontPtr mono = DFont::getFont(DFont::FACE_MONOSPACE, 0, 0);
    DFontPtr prop = DFont::getFont(DFont::FACE_PROPORTIONAL, 0, 0);
    EXPECT_NE(mono.get(), prop.get());
    EXPECT_EQ(prop->getHeight(), mono->getHeight());
    for (char16_t ch : {u'a', u'W', u'1'})
        EXPECT_EQ(prop->maskOf(ch)->rows, mono->maskOf(ch)->rows) << char(ch);
    EXPECT_NE(DFont::getDefaultFont()->maskOf(u'a')->rows, mono->maskOf(u'a')->rows);
}

TEST(Font, ReleasingTheCacheMakesNewFonts)
{
    DFont* before = DFont::getFont(0, 4, 8).get();
    DFontPtr kept = before;
    DFont::releaseCache();
    EXPECT_NE(DFont::getFont(0, 4, 8).get(), before);
}

} // namespace
