// Long random games through the simulator: no crash, deterministic, and the board stays sound.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "GameFixture.h"
#include "SimScript.h"

namespace tintrow::testing {
namespace {

LevelDesign randomLevel(std::mt19937& rng)
{
    LevelDesign design;
    size_t width = 2 + rng() % 9, height = 2 + rng() % 9;
    design.rows.assign(height, std::string(width, '.'));
    for (std::string& row : design.rows)
        for (char& c : row)
            c = rng() % 6 == 0 ? '#' : '.';
    design.gameType = int8_t(rng() % 2);
    design.goal = int8_t(rng() % 3);
    design.colourCount = int8_t(1 + rng() % 5);
    design.nextCount = int8_t(1 + rng() % 4);
    design.lineLength = int8_t(2 + rng() % 4);
    design.timeLimit = int32_t(1000 + rng() % 20000);
    design.bonusPerPoint = int32_t(rng() % 500);
    design.pointsToWin = int16_t(5 + rng() % 60);
    return design;
}

std::string randomScript(std::mt19937& rng, int32_t levels, int32_t commands)
{
    static const char* const FIXED[] = {"pause", "resume", "continue", "restart", "next"};
    std::ostringstream s;
    s << "new " << rng() % levels << (rng() % 2 ? " arcade\n" : " progress\n");
    for (int32_t i = 0; i < commands; ++i) {
        uint32_t pick = rng() % 16;
        if (pick < 5)
            s << FIXED[pick] << "\n";
        else if (pick == 5)
            s << "wait " << rng() % 3000 << "\n";
        else if (pick == 6)
            s << "new " << rng() % levels << " progress\n";
        else if (pick < 10)
            s << "settle\ndump\n";
        else
            s << "choose " << rng() % 11 << " " << rng() % 11 << "\n";
    }
    return s.str() + "dump\n";
}

// Values every dump must keep within what the rules can produce.
void checkDump(const std::string& dump)
{
    int state = std::stoi(field(dump, "state"));
    EXPECT_TRUE(state >= 0 && state <= 7 && state != TURN_LEVEL_START) << dump;
    for (const std::string& cell : items(field(dump, "cells"))) {
        int kind, colour, s, previous;
        ASSERT_EQ(std::sscanf(cell.c_str(), "[%d,%d,%d,%d]", &kind, &colour, &s, &previous), 4);
        EXPECT_TRUE(kind >= 0 && kind <= 2) << dump;
        EXPECT_TRUE(colour >= 0 && colour <= 4) << dump;
        // After settling nothing is left growing in or vanishing.
        EXPECT_FALSE(state == TURN_PLAYER && (s == STATE_APPEARING || s == STATE_VANISHING))
            << dump;
    }
}

TEST(RandomPlay, LongGamesStayConsistentAndRepeatExactly)
{
    TemporaryHome home;
    std::string levels = home.path + "/levels";
    std::mt19937 rng(11);
    for (int round = 0; round < 12; ++round) {
        std::filesystem::remove_all(levels);
        std::filesystem::remove_all(home.path + "/Vandrel");
        std::filesystem::create_directories(levels);
        int32_t count = 1 + int32_t(rng() % 3);
        for (int32_t i = 0; i < count; ++i)
            writeFile(levels + "/" + std::to_string(i) + ".bin", randomLevel(rng).bytes());
        std::string script = randomScript(rng, count, 400);
        std::vector<std::string> args = {"--levels", levels, "--seed", std::to_string(round),
                                         "--highest", std::to_string(count - 1)};
        SimOutput first = simulate(args, script);
        ASSERT_EQ(first.status, 0) << first.err;
        std::filesystem::remove_all(home.path + "/Vandrel");
        ASSERT_EQ(simulate(args, script).dumps, first.dumps) << "round " << round;
        for (const std::string& dump : first.dumps)
            checkDump(dump);
    }
}

} // namespace
} // namespace tintrow::testing
