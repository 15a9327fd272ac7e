// Level sources, the faults that make a level unplayable, and the fit of boards on the screens.
#include "Levels.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace datagen;

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

// That the shipped boards fit every profile the packed-data check sees; here, that a misfit shows.
TEST(BoardLayout, ABoardWiderThanNineDoesNotFit)
{
    tintrow::LevelFile wide;
    wide.goal = 1;
    wide.width = 10;
    wide.height = 9;
    EXPECT_FALSE(layoutFits(layoutBoard(wide, profiles()[0], 8, 2, 16), profiles()[0]));
}
