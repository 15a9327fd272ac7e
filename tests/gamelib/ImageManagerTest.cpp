// Sprite sets: the description parser, bounds and rect tables, drawing with masks and transforms.
#include "GameLibTestSupport.h"

#include "gamelib/ImageManager.h"
#include "lang/DString.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"

using namespace vela::lang;
using namespace gamelib;
using vela::microedition::lcdui::DGraphics;
using vela::microedition::lcdui::DGraphicsPtr;
using vela::microedition::lcdui::DImage;
using vela::microedition::lcdui::DImagePtr;

namespace {

const int ATLAS_W = 8;
const int ATLAS_H = 4;
const uint16_t WHITE = 0xFFFF;

// Every atlas pixel has its own colour.
uint16_t atlasPixel(int x, int y)
{
    return uint16_t(0x0100 + y * 16 + x);
}

host::Surface atlasPicture()
{
    host::Surface picture(ATLAS_W, ATLAS_H);
    for (int y = 0; y < ATLAS_H; ++y)
        for (int x = 0; x < ATLAS_W; ++x)
            picture.row(y)[x] = atlasPixel(x, y);
    return picture;
}

// Rect 0 is (0, 0, 4, 4), rect 1 (4, 0, 2, 3). Animation 0 has three frames (the second
// shares the first) and a rect table; animation 1 has one empty frame.
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

class ImageManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resources.openArchive({{"img/set.bin", description()}, {"img/set.png", pngBytes(atlasPicture())}});
        manager->load(u"img/set");
        target = DImage::createImage(20, 20);
        g = target->getGraphics();
    }
    uint16_t at(int x, int y) { return target->surface().row(y)[x]; }
    // True when the w x h box at (x, y) shows atlas pixels through `source(dx, dy)`.
    template <class Source>
    void expectBox(int x, int y, int w, int h, Source source)
    {
        for (int dy = 0; dy < h; ++dy)
            for (int dx = 0; dx < w; ++dx) {
                int sx, sy;
                source(dx, dy, sx, sy);
                EXPECT_EQ(atlasPixel(sx, sy), at(x + dx, y + dy)) << dx << "," << dy;
            }
    }

    TestResources resources;
    ImageManagerPtr manager = new ImageManager();
    DImagePtr target;
    DGraphicsPtr g;
};

}

TEST_F(ImageManagerTest, ReadsRectanglesAndBounds)
{
    ASSERT_EQ(2, manager->imageCount());
    GameImagePtr rect = manager->getImage(1);
    EXPECT_EQ((std::vector<int32_t>{4, 0, 2, 3}), (std::vector<int32_t>{rect->x, rect->y, rect->width, rect->height}));
    EXPECT_EQ(ATLAS_W, manager->atlasWidth);
    ASSERT_EQ(2, manager->animationCount());
    AnimationPtr a = manager->getAnimation(0);
    EXPECT_EQ((std::vector<int32_t>{3, 7, -1, 0, 0, 12, 8, -2, -3, 12, 8}),
        (std::vector<int32_t>{a->frameCount(), a->extra1, a->extra2, a->firstLeft, a->firstTop, a->firstWidth,
            a->firstHeight, a->allLeft, a->allTop, a->allRight, a->allBottom}));
    AnimationPtr empty = manager->getAnimation(1);
    EXPECT_EQ(0, empty->firstWidth);
    EXPECT_EQ(0, empty->allRight);
}

TEST_F(ImageManagerTest, FindRectFollowsSharedRows)
{
    AnimationPtr a = manager->getAnimation(0);
    struct Case { int32_t id, frame; bool found; };
    const Case cases[] = {{7, 0, true}, {7, 1, true}, {7, 2, false}, {8, 0, false}, {7, 3, false}, {7, -1, false}};
    for (const Case& c : cases) {
        int32_t x = 0, y = 0, w = 0, h = 0;
        EXPECT_EQ(c.found, a->findRect(c.id, c.frame, x, y, w, h)) << c.id << " " << c.frame;
        const std::vector<int32_t> rect = {x, y, w, h};
        EXPECT_EQ(c.found ? std::vector<int32_t>({1, 2, 3, 4}) : std::vector<int32_t>(4, 0), rect);
    }
    int32_t x, y, w, h;
    EXPECT_FALSE(manager->getAnimation(1)->findRect(7, 0, x, y, w, h));
}

TEST_F(ImageManagerTest, DrawAnimationDrawsPartsByMaskAndMirrorsMarkedParts)
{
    // The marked part (mask 3) shares no bit with 4; undrawn, it still widens the bounds.
    manager->drawAnimation(g, 0, 2, 2, 0, 4, false);
    EXPECT_EQ(WHITE, at(12, 7));
    EXPECT_EQ(atlasPixel(0, 0), at(2, 2));
    EXPECT_EQ(12, manager->getAnimation(0)->currentWidth);
    EXPECT_EQ(1, manager->drawAnimation(g, 0, 2, 2, 0, 1, false));
    expectBox(2, 2, 4, 4, [](int dx, int dy, int& sx, int& sy) { sx = dx; sy = dy; });
    expectBox(12, 7, 2, 3, [](int dx, int dy, int& sx, int& sy) { sx = 4 + 1 - dx; sy = dy; });
    AnimationPtr a = manager->getAnimation(0);
    EXPECT_EQ(2, a->currentLeft);
    EXPECT_EQ(12, a->currentWidth);
    // The mirror flag mirrors every part.
    manager->drawAnimation(g, 0, 2, 2, 0, 1, true);
    expectBox(2, 2, 4, 4, [](int dx, int dy, int& sx, int& sy) { sx = 3 - dx; sy = dy; });
}

TEST_F(ImageManagerTest, SharedFrameDrawsTheFrameItNamesAndFramesLoop)
{
    EXPECT_EQ(2, manager->drawAnimation(g, 0, 2, 2, 1, 2, false));
    expectBox(12, 7, 2, 3, [](int dx, int dy, int& sx, int& sy) { sx = 5 - dx; sy = dy; });
    EXPECT_EQ(0, manager->drawAnimation(g, 0, 5, 5, 2, 4, false));
    expectBox(3, 2, 2, 3, [](int dx, int dy, int& sx, int& sy) { sx = 4 + dx; sy = dy; });
    EXPECT_EQ(0, manager->drawAnimation(g, 1, 0, 0, 0, 0, false));
    // A negative frame draws nothing.
    target = DImage::createImage(20, 20);
    manager->drawAnimation(target->getGraphics(), 0, 2, 2, -1, 1, false);
    EXPECT_EQ(WHITE, at(2, 2));
}

TEST_F(ImageManagerTest, DrawImageTransformsAnchorsAndKeepsTheClip)
{
    GameImagePtr rect = manager->getImage(1);
    manager->drawImage(g, rect, 0, 0, 0, DImage::TRANS_ROT180, false);
    expectBox(0, 0, 2, 3, [](int dx, int dy, int& sx, int& sy) { sx = 5 - dx; sy = 2 - dy; });
    manager->drawImage(g, rect, 0, 5, 0, DImage::TRANS_ROT90, false);
    expectBox(0, 5, 3, 2, [](int dx, int dy, int& sx, int& sy) { sx = 4 + dy; sy = 2 - dx; });
    manager->drawImage(g, rect, 0, 10, 0, DImage::TRANS_ROT270, false);
    expectBox(0, 10, 3, 2, [](int dx, int dy, int& sx, int& sy) { sx = 5 - dy; sy = dx; });
    // Rotations swap width and height before anchoring: centred at (10, 10) is (9, 9).
    manager->drawImage(g, rect, 10, 10, DGraphics::HCENTER | DGraphics::VCENTER, DImage::TRANS_ROT90, false);
    EXPECT_EQ(atlasPixel(4, 2), at(9, 9));
    manager->drawImage(g, manager->getImage(0), 20, 20, DGraphics::RIGHT | DGraphics::BOTTOM, 0, false);
    EXPECT_EQ(atlasPixel(0, 0), at(16, 16));
    EXPECT_EQ(20, g->getClipWidth());
    EXPECT_EQ(0, g->getClipX());
    manager->drawImage(g, rect, 15, 0, 0, 1, false);
    EXPECT_EQ(WHITE, at(15, 0));
}

TEST_F(ImageManagerTest, CreateImageCopiesOneRectangle)
{
    DImagePtr copy = manager->createImage(1);
    ASSERT_TRUE(copy);
    EXPECT_EQ(2, copy->getWidth());
    EXPECT_EQ(atlasPixel(5, 2), copy->surface().row(2)[1]);
    EXPECT_FALSE(manager->createImage(2));
    EXPECT_FALSE(manager->createImage(-1));
}

TEST_F(ImageManagerTest, SetTransformMovesTheRectangleIntoTheCopy)
{
    struct Case { int32_t transform, x, y, w, h; };
    const Case cases[] = {{0, 4, 0, 2, 3}, {2, 2, 0, 2, 3}, {3, 4, 0, 2, 3}, {5, 1, 4, 3, 2}, {6, 0, 2, 3, 2}};
    for (const Case& c : cases) {
        GameImagePtr rect = new GameImage(manager.get(), 4, 0, 2, 3);
        rect->setTransform(c.transform);
        EXPECT_EQ((std::vector<int32_t>{c.transform, c.x, c.y, c.w, c.h}),
            (std::vector<int32_t>{rect->transform, rect->x, rect->y, rect->width, rect->height}));
    }
}

TEST(ImageManagerLoad, DamagedDescriptionsFailAndLeaveTheSetEmpty)
{
    std::string good = description();
    struct Case { const char* what; std::string bytes; uint32_t kind; };
    const Case cases[] = {
        {"truncated", good.substr(0, good.size() - 3), EOFException},
        {"negative rectangle count", Bytes().s16(-1).str(), IOException},
        {"absurd frame count", Bytes().s16(0).s16(1).s16(0x7FFF).u8(0).str(), EOFException},
        {"absurd part count", Bytes().s16(0).s16(1).s16(1).s16(0x7FFF).str(), EOFException},
        {"part names a missing rectangle",
            Bytes().s16(0).s16(1).s16(1).s16(1).s16(0).s16(0).s16(3).u8(0).u8(0).str(), IOException},
    };
    for (const Case& c : cases) {
        TestResources resources;
        resources.openArchive({{"set.bin", c.bytes}});
        ImageManagerPtr manager = new ImageManager();
        EXPECT_EQ(c.kind, thrownCode([&] { manager->load(u"set"); })) << c.what;
        EXPECT_EQ(0, manager->imageCount()) << c.what;
        EXPECT_EQ(0, manager->animationCount()) << c.what;
    }
}

TEST(ImageManagerLoad, MissingDescriptionLeavesTheSetEmpty)
{
    TestResources resources;
    resources.openArchive({{"other.bin", ""}});
    ImageManagerPtr manager = new ImageManager();
    manager->load(u"img/Game");
    EXPECT_EQ(0, manager->imageCount());
    DImagePtr target = DImage::createImage(4, 4);
    manager->drawImage(target->getGraphics(), nullptr, 0, 0, 0, 0, false);
}
