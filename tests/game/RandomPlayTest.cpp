// Long random games through the simulator: no crash, deterministic, and the board stays sound.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "GameFixture.h"
#include "SimRun.h"

namespace tintrow::testing {
namespace {

LevelDesign randomLevel(std::mt19937& rng)
{
    LevelDesign design;
    int32_t w = 2 + int32_t(rng() % 9);
    int32_t h = 2 + int32_t(rng() % 9);
    design.rows.assign(h, std::string(w, '.'));
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
    std::ostringstream s;
    s << "new " << rng() % levels << (rng() % 2 ? " arcade\n" : " progress\n");
    for (int32_t i = 0; i < commands; ++i) {
        switch (rng() % 16) {
        case 0: s << "pause\n"; break;
        case 1: s << "resume\n"; break;
        case 2: s << "continue\n"; break;
        case 3: s << "restart\n"; break;
        case 4: s << "next\n"; break;
        case 5: s << "wait " << rng() % 3000 << "\n"; break;
        case 6: s << "new " << rng() % levels << " progress\n"; break;
        case 7: case 8: case 9: s << "settle\ndump\n"; break;
        default: s << "choose " << rng() % 11 << " " << rng() % 11 << "\n"; break;
        }
    }
    s << "dump\n";
    return s.str();
}

std::string runScript(const std::string& levels, const std::string& script, int seed,
                      int32_t highest)
{
    std::vector<std::string> args = {"--levels", levels, "--seed", std::to_string(seed),
                                     "--highest", std::to_string(highest)};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    std::istringstream in(script);
    std::ostringstream out, err;
    EXPECT_EQ(runSimulation(int(argv.size()), argv.data(), in, out, err), 0) << err.str();
    return out.str();
}

// Values every dump must keep within what the rules can produce.
void checkDump(const std::string& line)
{
    auto field = [&](const char* key) {
        size_t at = line.find(std::string("\"") + key + "\":");
        return std::atoll(line.c_str() + at + std::strlen(key) + 3);
    };
    long long state = field("state");
    EXPECT_TRUE(state >= 0 && state <= 7 && state != 5) << line;
    size_t cells = line.find("\"cells\":[");
    size_t end = line.find("]]", cells);
    std::istringstream numbers(line.substr(cells + 9, end - cells - 9));
    std::string cell;
    while (std::getline(numbers, cell, ']')) {
        int kind, colour, s, previous;
        if (std::sscanf(cell.c_str() + cell.find('[') + 1, "%d,%d,%d,%d", &kind, &colour, &s,
                        &previous) != 4)
            continue;
        EXPECT_TRUE(kind >= 0 && kind <= 2) << line;
        EXPECT_TRUE(colour >= 0 && colour <= 4) << line;
        // After settling nothing is left growing in or vanishing.
        if (state == TURN_PLAYER) {
            EXPECT_TRUE(s != STATE_APPEARING && s != STATE_VANISHING) << line;
        }
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
        for (int32_t i = 0; i < count; ++i) {
            std::vector<uint8_t> bytes = randomLevel(rng).bytes();
            std::ofstream(levels + "/" + std::to_string(i) + ".bin", std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        }
        std::string script = randomScript(rng, count, 400);
        std::string first = runScript(levels, script, round, count - 1);
        std::filesystem::remove_all(home.path + "/Vandrel");
        ASSERT_EQ(runScript(levels, script, round, count - 1), first) << "round " << round;
        std::istringstream lines(first);
        for (std::string line; std::getline(lines, line);)
            checkDump(line);
    }
}

} // namespace
} // namespace tintrow::testing
