// Sprite set descriptions that are damaged or missing leave the set empty.
#include "GameLibTestSupport.h"

#include "gamelib/ImageManager.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "support/Thrown.h"

using namespace vela::lang;
using namespace gamelib;
using vela::microedition::lcdui::DGraphics;
using vela::microedition::lcdui::DGraphicsPtr;
using vela::microedition::lcdui::DImage;

namespace {

// A sprite set description: rect 0 is (0, 0, 4, 4), rect 1 (4, 0, 2, 3). Animation 0 has three frames
// (the second shares the first) and a rect table; animation 1 has one empty frame.
std::string description()
{
    Bytes b;
    b.s16(2).s16(0).s16(0).s16(4).s16(4).s16(4).s16(0).s16(2).s16(3);
    b.s16(2);
    b.s16(0x8000 | 3).u8(7).u8(0xFF);
    b.s16(2).s16(0).s16(0).s16(0).u8(0).s16(10).s16(5).s16(0x8000 | 1).u8(3);
    b.s16(0x8000 | 0);
    b.s16(1).s16(-2).s16(-3).s16(1).u8(4);
    b.u8(1);
    b.s16(1).s16(7).s16(1).s16(2).s16(3).s16(4);
    b.s16(0x8000 | 0);
    b.s16(0);
    b.s16(1).s16(0).u8(0);
    return b.str();
}

}

TEST(ImageManagerLoad, DamagedOrMissingDescriptionsLeaveTheSetEmpty)
{
    std::string good = description();
    for (auto [what, bytes, kind] : {std::tuple<const char*, std::string, uint32_t>{"truncated", good.substr(0, good.size() - 3), EOFException},
                                     {"negative rectangle count", Bytes().s16(-1).str(), IOException},
                                     {"absurd frame count", Bytes().s16(0).s16(1).s16(0x7FFF).u8(0).str(), EOFException},
                                     {"part names a missing rectangle",
                                      Bytes().s16(0).s16(1).s16(1).s16(1).s16(0).s16(0).s16(3).u8(0).u8(0).str(), IOException}}) {
        TestResources resources;
        resources.openArchive({{"set.bin", bytes}});
        ImageManagerPtr manager = new ImageManager();
        EXPECT_EQ(kind, support::thrownKind([&] { manager->load(u"set"); })) << what;
        EXPECT_EQ(std::make_pair(0, 0), std::make_pair(manager->imageCount(), manager->animationCount())) << what;
        manager->load(u"img/missing");
        EXPECT_EQ(0, manager->imageCount());
        manager->drawImage(DImage::createImage(4, 4)->getGraphics(), nullptr, 0, 0, 0, 0, false);
    }
}
