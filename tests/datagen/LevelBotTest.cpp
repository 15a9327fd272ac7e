// The level bot on levels the test writes, and the faults of a level curve.
#include "LevelBot.h"
#include "Levels.h"

#include <gtest/gtest.h>

using namespace datagen;

namespace {

Bytes level(const std::string& fields, const std::string& grid)
{
    return encodeLevel(parseLevels("level\n" + fields + "particles 1000\n" + grid)[0]);
}

const char* const OPEN5X5 = "#####\n#####\n#####\n#####\n#####\n";

}  // namespace

TEST(LevelBot, WinsWhatCannotBeLostAndLosesWhatCannotBeWon)
{
    BotRules rules;
    rules.seeds = 8;
    // One colour: every line clears at once and the board keeps emptying; the announced balls
    // must then grow in by themselves, or the bot would find no move.
    LevelRecord easy =
        playLevel(level("type lines\ngoal score\ncolours 1\nnext 3\nline 3\npoints 60\n", OPEN5X5), rules);
    EXPECT_EQ(easy.won, rules.seeds);
    EXPECT_EQ(easy.stuck, 0);
    LevelRecord hopeless = playLevel(
        level("type lines\ngoal score\ncolours 5\nnext 5\nline 5\npoints 150\n", OPEN5X5), rules);
    EXPECT_EQ(hopeless.lost, rules.seeds);
    LevelRecord noTime = playLevel(
        level("type lines\ngoal time\ncolours 5\nnext 2\nline 5\ntime 10000\nbonus 1\n", OPEN5X5), rules);
    EXPECT_EQ(noTime.lost, rules.seeds) << "the clock runs out while the bot thinks";
}

TEST(LevelBot, PlaysTheSameGamesEveryTime)
{
    BotRules rules;
    rules.seeds = 6;
    Bytes file = level("type blocks\ngoal score\ncolours 4\nnext 3\npoints 40\n", OPEN5X5);
    LevelRecord a = playLevel(file, rules), b = playLevel(file, rules);
    EXPECT_EQ(std::make_tuple(a.won, a.lost, a.wonMoves), std::make_tuple(b.won, b.lost, b.wonMoves));
}

TEST(LevelCurve, FaultsNameTheLevelThatBreaksIt)
{
    auto record = [](int won, int lost, int stuck) {
        LevelRecord r;
        r.won = won, r.lost = lost, r.stuck = stuck;
        return r;
    };
    const struct {
        const char* what;
        LevelRecord second;
        size_t faults;
    } cases[] = {
        {"on the curve", record(7, 3, 0), 0},
        {"never lost, and above its band", record(10, 0, 0), 2},
        {"never won, and below its band", record(0, 10, 0), 2},
        {"stuck once", record(7, 2, 1), 1},
    };
    for (const auto& c : cases) {
        LevelCurve curve;
        curve.levels = {record(9, 1, 0), c.second, record(3, 7, 0)};
        curve.labels.assign(3, "lines");
        std::vector<std::string> faults = curveFaults(curve);
        EXPECT_EQ(faults.size(), c.faults) << c.what;
        for (const std::string& f : faults)
            EXPECT_EQ(f.rfind("level 2: ", 0), 0u) << f;
    }
    EXPECT_NE(curveReport(LevelCurve{{}, {record(9, 1, 0)}, {"lines 4"}}).find("9/10"), std::string::npos);
}
