// The rules simulator end to end: commands, dumps, errors and exit status.
#include <gtest/gtest.h>

#include <filesystem>

#include "GameFixture.h"
#include "SimScript.h"
#include "game/rules/StoreRecords.h"
#include "support/Files.h"
#include "support/Process.h"
#include "support/TempDir.h"

namespace tintrow::testing {
namespace {

class Sim : public ::testing::Test {
protected:
    void SetUp() override
    {
        useGameStores();
        LevelDesign timed;
        timed.goal = GOAL_TIME;
        writeLevel(0, LevelDesign());
        writeLevel(1, timed);
    }
    void writeLevel(int index, const LevelDesign& design)
    {
        support::writeFile(levels + "/" + std::to_string(index) + ".bin", design.bytes());
    }
    SimOutput run(const std::string& script, std::vector<std::string> args = {})
    {
        if (args.empty() || args[0] != "--levels")
            args.insert(args.begin(), {"--levels", levels});
        return simulate(args, script);
    }
    std::string cell(const std::string& dump, size_t x, size_t y)
    {
        return items(field(dump, "cells")).at(y * 9 + x);
    }

    support::TempDir dir;
    std::string levels = dir / "levels";
};

// Three cells and one colour: the starting balls fill the row, no preview finds a place, and
// the first turn excites the line and then ends the game, whatever the generator draws.
TEST_F(Sim, DumpsBeforeAGameAndOfABoardFilledAtSetUp)
{
    LevelDesign row;
    row.rows = {"..."};
    row.colourCount = 1;
    row.nextCount = 1;
    row.lineLength = 3;
    writeLevel(0, row);
    SimOutput r = run("dump\nnew 0 progress\ndump\n", {"--seed", "77"});
    ASSERT_EQ(r.dumps.size(), 2u);
    EXPECT_EQ(r.dumps[0],
              "{\"state\":4,\"previousState\":4,\"level\":0,\"highestLevel\":0,\"levelCount\":2,"
              "\"arcade\":false,\"paused\":false,\"score\":0,\"levelStartScore\":0,\"timeBank\":0,"
              "\"timeLimit\":0,\"goal\":0,\"gameType\":0,\"lineLength\":0,\"colourCount\":0,"
              "\"nextCount\":0,\"width\":0,\"height\":0,\"selected\":[-1,-1],\"target\":[-1,-1],"
              "\"cells\":[],\"next\":[],\"path\":[],\"sounds\":[]}");
    EXPECT_EQ(r.dumps[1],
              "{\"state\":4,\"previousState\":0,\"level\":0,\"highestLevel\":0,\"levelCount\":2,"
              "\"arcade\":false,\"paused\":false,\"score\":0,\"levelStartScore\":0,"
              "\"timeBank\":30000,\"timeLimit\":60000,\"goal\":0,\"gameType\":0,\"lineLength\":3,"
              "\"colourCount\":1,\"nextCount\":1,\"width\":3,\"height\":1,\"selected\":[-1,-1],"
              "\"target\":[-1,-1],\"cells\":[[2,0,2,2],[2,0,2,2],[2,0,2,2]],"
              "\"next\":[[0,0,1,0,6]],\"path\":[],\"sounds\":[[4,0,0],[7,0,0]]}");
}

// Placements worked out by hand from the generator's formula for seed 0 on an empty 9 × 9
// board: five balls, then three previews; the ball at (8, 8) then moves up one cell.
TEST_F(Sim, NewGameAndAMoveFollowTheGenerator)
{
    SimOutput r = run("new 0 arcade\ndump\nchoose 8 8\ndump\nchoose 8 7\ndump\nsettle\ndump\n",
                      {"--seed", "0", "--highest", "1"});
    ASSERT_EQ(r.dumps.size(), 4u);
    const std::string& d = r.dumps[0];
    EXPECT_EQ(field(d, "state"), "0");
    EXPECT_EQ(field(d, "previousState"), "5");
    EXPECT_EQ(field(d, "arcade"), "true");
    EXPECT_EQ(field(d, "timeBank"), "30000");
    for (auto [x, y, colour] : {std::tuple{8, 8, 1}, {6, 4, 2}, {7, 1, 3}, {2, 8, 2}, {1, 5, 2}})
        EXPECT_EQ(cell(d, x, y), "[2," + std::to_string(colour) + ",0,0]");
    EXPECT_EQ(field(d, "next"), "[[5,4,1,3,6],[5,0,1,4,6],[4,1,1,1,6]]");
    EXPECT_EQ(field(d, "sounds"), "[]");
    EXPECT_EQ(field(r.dumps[1], "selected"), "[8,8]");
    EXPECT_EQ(field(r.dumps[1], "sounds"), "[[3,56,0]]");
    EXPECT_EQ(field(r.dumps[2], "state"), "3");
    EXPECT_EQ(field(r.dumps[2], "target"), "[8,7]");
    EXPECT_EQ(field(r.dumps[2], "path"), "[[8,8]]");
    EXPECT_EQ(field(r.dumps[2], "sounds"), "[[2,56,1]]");
    const std::string& after = r.dumps[3];
    EXPECT_EQ(field(after, "state"), "0");
    EXPECT_EQ(cell(after, 8, 8), "[1,1,0,3]");
    EXPECT_EQ(cell(after, 8, 7), "[2,1,0,0]");
    EXPECT_EQ(field(after, "sounds"), "[[1,0,0]]");
    EXPECT_EQ(field(after, "target"), "[-1,-1]");
    // The three previews have grown in where they were announced.
    EXPECT_EQ(cell(after, 5, 4), "[2,3,0,4]");
    EXPECT_EQ(cell(after, 5, 0), "[2,4,0,4]");
    EXPECT_EQ(cell(after, 4, 1), "[2,1,0,4]");
}

TEST_F(Sim, BadCommandsAreReportedAndSkipped)
{
    SimOutput r = run("# a comment\n\nbogus\nchoose 1\nchoose a b\nwait -5\nnew 5 arcade\n"
                      "new 0 sideways\nnew 1 arcade\npause\nchoose 0 9\nresume\nchoose 9 0\ndump\n",
                      {"--highest", "0"});
    EXPECT_EQ(r.status, 0);
    // An off-board cell is refused even while the game does not take choices.
    EXPECT_EQ(r.errors, 8) << r.err;
    ASSERT_EQ(r.dumps.size(), 1u);
    EXPECT_EQ(field(r.dumps[0], "state"), "0");
    EXPECT_EQ(field(r.dumps[0], "level"), "1"); // a level above the highest unlocked one starts
}

TEST_F(Sim, UnreadableLevelOrBadArgumentsEndWithStatus2)
{
    support::writeFile(levels + "/0.bin", support::Bytes{9, 9, 0});
    SimOutput r = run("dump\nnew 0 arcade\ndump\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.dumps.size(), 1u);
    EXPECT_NE(r.err.find("level 0"), std::string::npos) << r.err;
    EXPECT_EQ(run("", {"--levels", dir / "nowhere"}).status, 2);
    EXPECT_EQ(run("", {"--seed", "x"}).status, 2);
    EXPECT_EQ(run("", {"--bogus", "1"}).status, 2);
}

TEST_F(Sim, ArchiveOfLevelsPlaysLikeTheFolder)
{
    support::pack7z(dir / "levels.7z", levels);
    const std::string script = "new 1 arcade\nchoose 4 4\ndump\n";
    SimOutput fromFolder = run(script, {"--seed", "5", "--highest", "1"});
    SimOutput fromArchive = run(script, {"--levels", dir / "levels.7z", "--seed", "5", "--highest", "1"});
    ASSERT_EQ(fromArchive.status, 0);
    ASSERT_EQ(fromArchive.dumps.size(), 1u);
    EXPECT_EQ(field(fromArchive.dumps[0], "levelCount"), "2");
    EXPECT_EQ(fromArchive.dumps, fromFolder.dumps);
}

#ifdef TINTROW_TOOL
TEST_F(Sim, TheToolRunsTheSameSimulator)
{
    support::RunResult r = support::run({TINTROW_TOOL, "sim", "--levels", levels, "--highest", "0"}, "new 0 arcade\ndump\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), run("new 0 arcade\ndump\n", {"--highest", "0"}).dumps.at(0));
}
#endif

} // namespace
} // namespace tintrow::testing
