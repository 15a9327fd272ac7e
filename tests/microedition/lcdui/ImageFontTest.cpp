// Images: sizes that are refused, and pictures loaded from files, turned or not.
#include "host/PngWriter.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/HostHooks.h"
#include "microedition/lcdui/DImage.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace vela;
using namespace vela::microedition::lcdui;

namespace {

TEST(Image, UnusableSizesAreRefusedAndFilesLoadByNameTurnedOrNot)
{
    for (auto size : {std::pair<int, int>{0, 5}, {-1, 3}, {100000, 100000}})
        EXPECT_TRUE(lang::catchKind(lang::IllegalArgumentException,
                                    [&] { DImage::createImage(size.first, size.second); }))
            << size.first << "x" << size.second;
    support::TempDir program;
    host::Surface picture(3, 2);
    for (int i = 0; i < 6; ++i)
        picture.pixels[i] = uint16_t(0x0841 * (i + 1));
    picture.pixels[1] = host::KEY_COLOUR;
    std::string error;
    ASSERT_TRUE(host::writePng(picture, program / "p.png", error)) << error;
    lang::host::setProgramFile(program / "tintrow");
    DImagePtr plain = DImage::createImage(new lang::DString(u"/p.png"));
    DImagePtr turned = DImage::createImage(new lang::DString(u"p.png"), DImage::TRANS_ROT90);
    EXPECT_TRUE(lang::catchKind(lang::IOException, [] { DImage::createImage(new lang::DString(u"none.png")); }));
    lang::host::setProgramFile("");
    EXPECT_EQ(plain->surface().pixels, picture.pixels);
    EXPECT_EQ(std::make_pair(turned->getWidth(), turned->getHeight()), std::make_pair(2, 3));
    EXPECT_EQ(DImage::createImage(turned, DImage::TRANS_ROT270)->surface().pixels, picture.pixels);
}

} // namespace
