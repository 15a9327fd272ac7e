// Level sources, the level file layout and the fit of boards on the screens.
#include "GameReaders.h"
#include "Levels.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace datagen;

static const char* const ONE_LEVEL =
    "level\ntype blocks\ngoal time\ncolours 4\nnext 3\nline 3\ntime 70000\nbonus 4000\npoints -2\n"
    "particles 1000\n#####\n#...#\n#####\n";

TEST(LevelSource, ReadsFieldsAndGrid)
{
    std::vector<Level> levels = parseLevels(std::string("; comment\n") + ONE_LEVEL + "level\ngoal score\n###\n###\n");
    ASSERT_EQ(levels.size(), 2u);
    const Level& lv = levels[0];
    EXPECT_EQ(lv.width, 5);
    EXPECT_EQ(lv.height, 3);
    EXPECT_EQ(lv.gameType, 1);
    EXPECT_EQ(lv.goal, 1);
    EXPECT_EQ(lv.timeLimit, 70000);
    EXPECT_EQ(lv.pointsToWin, -2);
    EXPECT_FALSE(lv.floor(1, 1));
    EXPECT_TRUE(lv.floor(0, 1));
    EXPECT_EQ(lv.floorCount(), 12);
    EXPECT_EQ(levels[1].goal, 2);
}

TEST(LevelSource, RejectsMalformedInput)
{
    for (const char* bad : {
             "type lines\n",                      // before any level
             "level\ncolour 3\n",                 // unknown field
             "level\ntype circles\n",             // unknown value
             "level\ncolours three\n",            // not a number
             "level\ncolours 3x\n",               // trailing garbage
             "level\n###\n##\n",                  // ragged grid
             "level\n###\ncolours 3\n",           // field after the grid
             "level\nnonsense\n",                 // no value
         })
        EXPECT_THROW(parseLevels(bad), std::runtime_error) << bad;
}

TEST(LevelFile, HasTheGameLayout)
{
    Level lv = parseLevels(ONE_LEVEL)[0];
    Bytes b = encodeLevel(lv);
    ASSERT_EQ(b.size(), 21u + 15u);
    EXPECT_EQ(b[0], 5);
    EXPECT_EQ(b[1], 3);
    EXPECT_EQ(b[2], 1);
    EXPECT_EQ(b[3], 1);
    EXPECT_EQ(b[4], 4);
    EXPECT_EQ(b[5], 3);
    EXPECT_EQ((Bytes{b[6], b[7], b[8], b[9]}), (Bytes{0x00, 0x01, 0x11, 0x70}));  // 70000 big-endian
    EXPECT_EQ((Bytes{b[10], b[11], b[12], b[13]}), (Bytes{0x00, 0x00, 0x0F, 0xA0}));
    EXPECT_EQ(b[14], 3);
    EXPECT_EQ((Bytes{b[15], b[16]}), (Bytes{0xFF, 0xFE}));  // -2 as int16
    EXPECT_EQ((Bytes{b[17], b[18], b[19], b[20]}), (Bytes{0x00, 0x00, 0x03, 0xE8}));
    EXPECT_EQ((Bytes{b[21], b[26], b[27]}), (Bytes{1, 1, 0}));  // row 0 floor, row 1: floor then hole
    tintrow::LevelFile back = readLevel(b);
    for (int y = 0; y < lv.height; ++y)
        for (int x = 0; x < lv.width; ++x)
            EXPECT_EQ(isFloor(back, x, y), lv.floor(x, y)) << x << ", " << y;
    EXPECT_EQ(back.pointsToWin, -2);
    EXPECT_EQ(back.bonusPerPoint, 4000);
}

TEST(LevelFile, TheGameRefusesDamage)
{
    Bytes b = encodeLevel(parseLevels(ONE_LEVEL)[0]);
    EXPECT_THROW(readLevel(Bytes(b.begin(), b.begin() + 20)), std::runtime_error);
    EXPECT_THROW(readLevel(Bytes(b.begin(), b.end() - 1)), std::runtime_error);
    Bytes negative = b;
    negative[0] = 0xFB;
    EXPECT_THROW(readLevel(negative), std::runtime_error);
}

TEST(LevelFaults, CatchLevelsThatCannotBePlayed)
{
    Level good = parseLevels("level\ntype lines\ngoal score\ncolours 3\nnext 2\nline 3\npoints 10\nparticles 900\n"
                             "#####\n#####\n#####\n")[0];
    EXPECT_TRUE(levelFaults(good).empty());
    struct Case {
        const char* what;
        void (*spoil)(Level&);
    };
    const Case cases[] = {
        {"no colours", [](Level& l) { l.colours = 0; }},
        {"six colours", [](Level& l) { l.colours = 6; }},
        {"no next balls", [](Level& l) { l.next = 0; }},
        {"line of 2", [](Level& l) { l.lineLength = 2; }},
        {"score goal of 0", [](Level& l) { l.pointsToWin = 0; }},
        {"timed without bonus", [](Level& l) { l.goal = 1, l.timeLimit = 1000, l.bonusPerPoint = 0; }},
        {"no particles", [](Level& l) { l.particleRate = 20; }},
        {"too few cells", [](Level& l) { l.rows = {"###", "#..", "..."}; l.width = l.height = 3; }},
        {"too wide", [](Level& l) { l.rows.assign(3, "##########"); l.width = 10; }},
        {"score out of reach", [](Level& l) { l.pointsToWin = 91; }},
        {"six next balls", [](Level& l) { l.next = 6; }},
        {"floor in two parts", [](Level& l) { l.rows = {"##.##", "##.##", "##.##"}; l.width = 5; }},
    };
    for (const Case& c : cases) {
        Level l = good;
        c.spoil(l);
        EXPECT_FALSE(levelFaults(l).empty()) << c.what;
    }
}

TEST(BoardLayout, NineByNineFitsEveryProfileAndAWiderBoardDoesNot)
{
    tintrow::LevelFile lv;
    lv.goal = 1;
    lv.width = lv.height = 9;
    for (const Profile& p : profiles())
        EXPECT_TRUE(layoutFits(layoutBoard(lv, p, 8, 2, 16), p)) << p.resolutionFile();
    tintrow::LevelFile wide = lv;
    wide.width = 10;
    EXPECT_FALSE(layoutFits(layoutBoard(wide, profiles()[0], 8, 2, 16), profiles()[0]));
}

TEST(BoardLayout, FollowsTheGameScreenArithmetic)
{
    tintrow::LevelFile lv;
    lv.width = lv.height = 7;
    lv.goal = 2;
    const Profile& p = profiles()[0];  // 240 x 320, cells of 24
    BoardLayout l = layoutBoard(lv, p, 8, 2, 16);
    EXPECT_EQ(l.originX, (240 - 168) >> 1);
    EXPECT_EQ(l.originY, ((320 - 168) >> 1) + 4);
    EXPECT_EQ(l.panelY, l.originY - ((p.border * 3) >> 1) - p.panel);
}
