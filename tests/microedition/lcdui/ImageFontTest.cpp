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

TEST(Image, MutableImagesStartWhiteAndUnusableSizesAreRejected)
{
    DImagePtr img = DImage::createImage(2, 2);
    EXPECT_EQ(std::make_pair(img->getWidth(), img->getHeight()), std::make_pair(2, 2));
    EXPECT_EQ(img->surface().pixels, std::vector<uint16_t>(4, 0xFFFF));
    EXPECT_EQ(img->keyColour(), 0xF81F);
    img->getGraphics()->fillRect(0, 0, 1, 1);
    EXPECT_EQ(img->surface().pixels[0], 0) << "its graphics draw into it";
    for (auto size : {std::pair<int, int>{0, 5}, {5, 0}, {-1, 3}, {100000, 100000}})
        EXPECT_TRUE(lang::catchKind(lang::IllegalArgumentException,
                                    [&] { DImage::createImage(size.first, size.second); }))
            << size.first << "x" << size.second;
}

TEST(Image, LoadsByNameFromTheProgramFolderTurnedOrNot)
{
    host::Surface picture(3, 2);
    for (int i = 0; i < 6; ++i)
        picture.pixels[i] = uint16_t(0x0841 * (i + 1));
    picture.pixels[1] = host::KEY_COLOUR;
    std::string path = io::joinPath(io::programDirectory(), "test-picture-lcdui.png"), error;
    ASSERT_TRUE(host::writePng(picture, path, error)) << error;
    for (const char16_t* name : {u"test-picture-lcdui.png", u"/test-picture-lcdui.png"}) {
        DImagePtr img = DImage::createImage(new lang::DString(name));
        EXPECT_EQ(img->surface().pixels, picture.pixels);
        EXPECT_EQ(img->keyColour(), 0xF81F);
    }
    DImagePtr turned = DImage::createImage(new lang::DString(u"test-picture-lcdui.png"), DImage::TRANS_ROT90);
    std::remove(path.c_str());
    EXPECT_EQ(std::make_pair(turned->getWidth(), turned->getHeight()), std::make_pair(2, 3));
    EXPECT_EQ(turned->surface().row(0)[0], picture.row(1)[0]);
    EXPECT_EQ(DImage::createImage(turned, DImage::TRANS_ROT270)->surface().pixels, picture.pixels);
    EXPECT_TRUE(lang::catchKind(lang::IOException,
                                [] { DImage::createImage(new lang::DString(u"img/no-such-picture.png")); }));
}

TEST(Font, SameArgumentsGiveTheSameFontUntilTheCacheIsReleased)
{
    DFontPtr a = DFont::getFont(0, 1, 8);
    EXPECT_EQ(DFont::getFont(0, 1, 8).get(), a.get());
    EXPECT_NE(DFont::getFont(0, 1, 16).get(), a.get());
    EXPECT_EQ(DFont::getDefaultFont().get(), DFont::getFont(0, 0, 0).get());
    EXPECT_EQ(std::make_pair(a->getStyle(), a->getSize()), std::make_pair(1, 8));
    DFont::releaseCache();
    EXPECT_NE(DFont::getFont(0, 1, 8).get(), a.get());
}

TEST(Font, SizesFollowTheDotsPerInchRule)
{
    EXPECT_EQ(DFont::requestFor(0, 0, DFont::SIZE_MEDIUM).pixelHeight, -14);
    EXPECT_EQ(DFont::requestFor(0, 0, DFont::SIZE_SMALL).pixelHeight, -12);
    EXPECT_EQ(DFont::requestFor(0, 0, DFont::SIZE_LARGE).pixelHeight, -17);
    EXPECT_EQ(DFont::requestFor(0, 0, 3).pixelHeight, 13);
    int small = DFont::getFont(0, 0, 8)->getHeight(), medium = DFont::getFont(0, 0, 0)->getHeight(),
        large = DFont::getFont(0, 0, 16)->getHeight();
    EXPECT_TRUE(small < medium && medium < large);
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

} // namespace
