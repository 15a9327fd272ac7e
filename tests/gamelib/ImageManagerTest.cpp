// Sprite set descriptions that are damaged or missing leave the set empty.
#include "GameLibTestSupport.h"

#include "gamelib/ImageManager.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "support/Thrown.h"

using namespace vela::lang;
using namespace gamelib;
using vela::microedition::lcdui::DImage;

TEST(ImageManagerLoad, DamagedOrMissingDescriptionsLeaveTheSetEmpty)
{
    for (auto [what, bytes, kind] : {std::tuple<const char*, std::string, uint32_t>{"cut after a rectangle", Bytes().s16(1).s16(0).s16(0).s16(4).s16(4).str(), EOFException},
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
