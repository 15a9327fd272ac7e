// The rules simulator end to end: commands, dumps, errors and exit status.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "GameFixture.h"
#include "SimRun.h"
#include "game/StoreRecords.h"
#include "lang/DArray.h"

namespace tintrow::testing {
namespace {

// Just enough JSON for the dumps: numbers, booleans, arrays and one flat object.
struct Json {
    enum Kind { NUMBER, BOOL, ARRAY, OBJECT } kind = NUMBER;
    long long number = 0;
    std::vector<Json> items;
    std::vector<std::pair<std::string, Json>> fields;

    const Json& operator[](const std::string& key) const
    {
        for (const auto& [name, value] : fields)
            if (name == key)
                return value;
        throw std::runtime_error("no key " + key);
    }
    const Json& operator[](size_t i) const { return items.at(i); }
    std::vector<long long> numbers() const
    {
        std::vector<long long> out;
        for (const Json& j : items)
            out.push_back(j.number);
        return out;
    }
};

Json parseJson(const char*& p)
{
    Json j;
    if (*p == '{' || *p == '[') {
        bool object = *p == '{';
        j.kind = object ? Json::OBJECT : Json::ARRAY;
        ++p;
        while (*p != '}' && *p != ']') {
            if (object) {
                const char* end = std::strchr(p + 1, '"');
                std::string key(p + 1, end);
                p = end + 2; // past the quote and the colon
                j.fields.emplace_back(key, parseJson(p));
            } else {
                j.items.push_back(parseJson(p));
            }
            if (*p == ',')
                ++p;
        }
        ++p;
    } else if (*p == 't' || *p == 'f') {
        j.kind = Json::BOOL;
        j.number = *p == 't';
        p += *p == 't' ? 4 : 5;
    } else {
        char* end;
        j.number = std::strtoll(p, &end, 10);
        p = end;
    }
    return j;
}

struct SimResult {
    int status;
    std::vector<Json> dumps;
    std::vector<std::string> errors;
    std::string err;
};

class Sim : public ::testing::Test {
protected:
    void SetUp() override
    {
        levels = home.path + "/levels";
        std::filesystem::create_directories(levels);
        LevelDesign timed;
        timed.goal = GOAL_TIME;
        writeLevel(0, LevelDesign().bytes());
        writeLevel(1, timed.bytes());
    }
    void writeLevel(int index, const std::vector<uint8_t>& bytes)
    {
        std::ofstream out(levels + "/" + std::to_string(index) + ".bin", std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    SimResult run(const std::string& script, std::vector<std::string> args = {})
    {
        if (args.empty() || args[0] != "--levels")
            args.insert(args.begin(), {"--levels", levels});
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        std::istringstream in(script);
        std::ostringstream out, err;
        SimResult result;
        result.status = runSimulation(int(argv.size()), argv.data(), in, out, err);
        std::istringstream lines(out.str());
        for (std::string line; std::getline(lines, line);) {
            const char* p = line.c_str();
            result.dumps.push_back(parseJson(p));
        }
        std::istringstream errLines(err.str());
        for (std::string line; std::getline(errLines, line);)
            if (line.rfind("error:", 0) == 0)
                result.errors.push_back(line);
        result.err = err.str();
        return result;
    }
    // The first cell in row order with this kind and state in a dump.
    static std::pair<int, int> find(const Json& dump, int kind, int state)
    {
        int width = int(dump["width"].number);
        const Json& cells = dump["cells"];
        for (size_t i = 0; i < cells.items.size(); ++i)
            if (cells[i][0].number == kind && cells[i][2].number == state)
                return {int(i) % width, int(i) / width};
        return {-1, -1};
    }

    TemporaryHome home;
    std::string levels;
};

TEST_F(Sim, DumpHasExactlyTheKeysInOrder)
{
    SimResult r = run("dump\n");
    ASSERT_EQ(r.dumps.size(), 1u);
    std::vector<std::string> keys;
    for (const auto& field : r.dumps[0].fields)
        keys.push_back(field.first);
    EXPECT_EQ(keys, (std::vector<std::string>{"state", "previousState", "level", "highestLevel",
        "levelCount", "arcade", "paused", "score", "levelStartScore", "timeBank", "timeLimit",
        "goal", "gameType", "lineLength", "colourCount", "nextCount", "width", "height",
        "selected", "target", "cells", "next", "path", "sounds"}));
    EXPECT_EQ(r.dumps[0]["state"].number, TURN_GAME_OVER);
    EXPECT_EQ(r.dumps[0]["levelCount"].number, 2);
}

// Placements worked out by hand from the generator's formula for seed 0 on an empty 9 × 9
// board: five balls, then three previews.
TEST_F(Sim, NewGameSetsUpAsTheGeneratorDictates)
{
    SimResult r = run("new 0 arcade\ndump\n", {"--seed", "0", "--highest", "1"});
    ASSERT_EQ(r.dumps.size(), 1u);
    const Json& d = r.dumps[0];
    EXPECT_EQ(d["state"].number, TURN_PLAYER);
    EXPECT_EQ(d["previousState"].number, TURN_LEVEL_START);
    EXPECT_EQ(d["arcade"].number, 1);
    EXPECT_EQ(d["timeBank"].number, 30000);
    const std::tuple<int, int, int> balls[] = {{8, 8, 1}, {6, 4, 2}, {7, 1, 3}, {2, 8, 2}, {1, 5, 2}};
    for (auto [x, y, colour] : balls) {
        const Json& cell = d["cells"][size_t(y * 9 + x)];
        EXPECT_EQ(cell.numbers(), (std::vector<long long>{KIND_BALL, colour, 0, 0}));
    }
    ASSERT_EQ(d["next"].items.size(), 3u);
    EXPECT_EQ(d["next"][0].numbers(), (std::vector<long long>{5, 4, 1, 3, 6}));
    EXPECT_EQ(d["next"][1].numbers(), (std::vector<long long>{5, 0, 1, 4, 6}));
    EXPECT_EQ(d["next"][2].numbers(), (std::vector<long long>{4, 1, 1, 1, 6}));
    EXPECT_TRUE(d["sounds"].items.empty());
}

// Three cells and one colour: the starting balls fill the row, no preview finds a place, and
// the first turn excites the line and then ends the game, whatever the generator draws.
TEST_F(Sim, BoardFilledAtSetUpEndsTheFirstTurn)
{
    LevelDesign row;
    row.rows = {"..."};
    row.colourCount = 1;
    row.nextCount = 1;
    row.lineLength = 3;
    writeLevel(0, row.bytes());
    SimResult r = run("new 0 progress\ndump\n", {"--seed", "77"});
    ASSERT_EQ(r.dumps.size(), 1u);
    const Json& d = r.dumps[0];
    EXPECT_EQ(d["state"].number, TURN_GAME_OVER);
    EXPECT_EQ(d["previousState"].number, TURN_PLAYER);
    for (size_t x = 0; x < 3; ++x)
        EXPECT_EQ(d["cells"][x].numbers(), (std::vector<long long>{KIND_BALL, 0, 2, 2}));
    EXPECT_EQ(d["next"][0].numbers(), (std::vector<long long>{0, 0, KIND_FLOOR, 0, STATE_PREVIEW}));
    ASSERT_EQ(d["sounds"].items.size(), 2u);
    EXPECT_EQ(d["sounds"][0].numbers(), (std::vector<long long>{SOUND_FUN, 0, 0}));
    EXPECT_EQ(d["sounds"][1].numbers(), (std::vector<long long>{SOUND_DEFEAT, 0, 0}));
}

TEST_F(Sim, MoveSettlesIntoTheNextTurnWithItsSounds)
{
    SimResult first = run("new 0 arcade\ndump\n", {"--seed", "0", "--highest", "1"});
    // The ball at (8, 8) moves up to (8, 7), a free floor cell next to it.
    SimResult r = run("new 0 arcade\nchoose 8 8\ndump\nchoose 8 7\ndump\nsettle\ndump\n",
                      {"--seed", "0", "--highest", "1"});
    ASSERT_EQ(r.dumps.size(), 3u);
    EXPECT_EQ(r.dumps[0]["selected"].numbers(), (std::vector<long long>{8, 8}));
    EXPECT_EQ(r.dumps[0]["sounds"][0].numbers(), (std::vector<long long>{SOUND_SELECT, 56, 0}));
    EXPECT_EQ(r.dumps[1]["state"].number, TURN_TRAVELLING);
    EXPECT_EQ(r.dumps[1]["target"].numbers(), (std::vector<long long>{8, 7}));
    EXPECT_EQ(r.dumps[1]["path"][0].numbers(), (std::vector<long long>{8, 8}));
    EXPECT_EQ(r.dumps[1]["sounds"][0].numbers(), (std::vector<long long>{SOUND_MOVE, 56, 1}));
    const Json& after = r.dumps[2];
    EXPECT_EQ(after["state"].number, TURN_PLAYER);
    EXPECT_EQ(after["cells"][8 * 9 + 8][0].number, KIND_FLOOR);
    EXPECT_EQ(after["cells"][7 * 9 + 8].numbers(), (std::vector<long long>{KIND_BALL, 1, 0, 0}));
    EXPECT_EQ(after["sounds"][0].numbers(), (std::vector<long long>{SOUND_INC, 0, 0}));
    // The three previews have grown in where they were announced.
    for (const Json& next : first.dumps[0]["next"].items) {
        const Json& cell = after["cells"][size_t(next[1].number * 9 + next[0].number)];
        EXPECT_EQ(cell[0].number, KIND_BALL);
        EXPECT_EQ(cell[1].number, next[3].number);
    }
    EXPECT_EQ(after["target"].numbers(), (std::vector<long long>{-1, -1}));
}

TEST_F(Sim, WaitDrainsTheBankOnlyWhilePlaying)
{
    SimResult r = run("new 1 progress\nwait 1000\ndump\npause\nwait 5000\nresume\nwait 500\ndump\n",
                      {"--seed", "3", "--highest", "1"});
    ASSERT_EQ(r.dumps.size(), 2u);
    EXPECT_EQ(r.dumps[0]["timeBank"].number, 29000);
    EXPECT_EQ(r.dumps[1]["timeBank"].number, 28500);
    EXPECT_EQ(r.dumps[1]["paused"].number, 0);
}

TEST_F(Sim, PauseSavesAndContinueResumesTheSameBoard)
{
    SimResult r = run("new 0 progress\npause\ndump\ncontinue\ndump\n", {"--seed", "9"});
    ASSERT_EQ(r.dumps.size(), 2u);
    EXPECT_EQ(r.dumps[0]["paused"].number, 1);
    EXPECT_EQ(r.dumps[1]["paused"].number, 0);
    EXPECT_EQ(r.dumps[1]["state"].number, TURN_PLAYER);
    const Json& before = r.dumps[0]["cells"];
    const Json& after = r.dumps[1]["cells"];
    for (size_t i = 0; i < before.items.size(); ++i) {
        if (before[i][0].number == KIND_BALL) {
            EXPECT_EQ(after[i][1].number, before[i][1].number) << i;
        }
    }
    EXPECT_TRUE(storeHasRecord(u"gsv"));
}

TEST_F(Sim, ContinueWithoutSaveStartsTheHighestLevelFromTheSettings)
{
    writeRecordOne(u"cfg", [] {
        vela::lang::DbyteArrayPtr b = new vela::lang::DbyteArray(3);
        b[0] = 30;
        b[1] = 20;
        b[2] = 1;
        return b;
    }());
    SimResult r = run("continue\ndump\n");
    ASSERT_EQ(r.dumps.size(), 1u);
    EXPECT_EQ(r.dumps[0]["highestLevel"].number, 1);
    EXPECT_EQ(r.dumps[0]["level"].number, 1);
    EXPECT_EQ(r.dumps[0]["arcade"].number, 0);
    EXPECT_EQ(r.dumps[0]["goal"].number, GOAL_TIME);
}

TEST_F(Sim, BadCommandsAreReportedAndSkipped)
{
    SimResult r = run("# a comment\n\nbogus\nchoose 1\nchoose a b\nwait -5\nnew 5 arcade\n"
                      "new 0 sideways\nnew 1 arcade\npause\nchoose 0 9\nresume\nchoose 9 0\ndump\n",
                      {"--highest", "0"});
    EXPECT_EQ(r.status, 0);
    // An off-board cell is refused even while the game does not take choices.
    EXPECT_EQ(r.errors.size(), 8u) << r.err;
    ASSERT_EQ(r.dumps.size(), 1u);
    EXPECT_EQ(r.dumps[0]["state"].number, TURN_PLAYER);
    EXPECT_EQ(r.dumps[0]["level"].number, 1); // a level above the highest unlocked one starts
}

TEST_F(Sim, UnreadableLevelEndsTheRunWithStatus2)
{
    writeLevel(0, {9, 9, 0});
    SimResult r = run("dump\nnew 0 arcade\ndump\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.dumps.size(), 1u);
    EXPECT_NE(r.err.find("level 0"), std::string::npos) << r.err;
}

TEST_F(Sim, BadArgumentsEndWithStatus2)
{
    EXPECT_EQ(run("", {"--levels", home.path + "/nowhere"}).status, 2);
    EXPECT_EQ(run("", {"--seed", "x"}).status, 2);
    EXPECT_EQ(run("", {"--bogus", "1"}).status, 2);
}

TEST_F(Sim, ArchiveOfLevelsPlaysLikeTheFolder)
{
    std::string archive = home.path + "/levels.7z";
    std::string command = "cd '" + levels + "' && 7zz a -bd '" + archive + "' 0.bin 1.bin >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        GTEST_SKIP() << "7zz is not available";
    const std::string script = "new 1 arcade\nchoose 4 4\ndump\n";
    SimResult fromFolder = run(script, {"--seed", "5", "--highest", "1"});
    SimResult fromArchive = run(script, {"--levels", archive, "--seed", "5", "--highest", "1"});
    ASSERT_EQ(fromArchive.status, 0);
    ASSERT_EQ(fromArchive.dumps.size(), 1u);
    EXPECT_EQ(fromArchive.dumps[0]["levelCount"].number, 2);
    EXPECT_EQ(fromArchive.dumps[0]["cells"].items.size(), 81u);
    for (size_t i = 0; i < 81; ++i) {
        EXPECT_EQ(fromArchive.dumps[0]["cells"][i].numbers(),
                  fromFolder.dumps[0]["cells"][i].numbers());
    }
}

#ifdef TINTROW_TOOL
TEST_F(Sim, TheToolRunsTheSameSimulator)
{
    if (!std::filesystem::exists(TINTROW_TOOL))
        GTEST_SKIP() << "the tool is not built";
    std::string command = std::string("printf 'new 0 arcade\\ndump\\n' | '") + TINTROW_TOOL
        + "' sim --levels '" + levels + "' --highest 0";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[8192] = {};
    ASSERT_NE(std::fgets(line, sizeof line, pipe), nullptr);
    EXPECT_EQ(pclose(pipe), 0);
    const char* p = line;
    Json dump = parseJson(p);
    EXPECT_EQ(dump["next"].items.size(), 3u);
    EXPECT_EQ(dump["state"].number, TURN_PLAYER);
}
#endif

} // namespace
} // namespace tintrow::testing
