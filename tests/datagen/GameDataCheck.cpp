// Checks the packed game.dat: unpacked by 7-Zip, read back member by member, and its sounds
// and tunes played by independent readers (sox, openmpt123).
#include "GameReaders.h"
#include "Audio.h"
#include "Generate.h"

#include "support/Files.h"
#include "support/Process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;
using namespace datagen;

namespace {

// What a command prints on both outputs; a command that fails is a test failure.
std::string run(const std::vector<std::string>& command)
{
    support::RunResult r = support::run(command);
    EXPECT_EQ(r.status, 0) << command[0] << ": " << r.err;
    return r.out + r.err;
}

class GameData : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new fs::path(fs::temp_directory_path() / ("tintrow-gamedata-" + std::to_string(::getpid())));
        fs::remove_all(*dir_);
        fs::create_directories(*dir_);
        run({SEVEN_ZIP, "x", "-bso0", "-bsp0", "-o" + dir_->string(), TINTROW_GAME_DAT});
        members_ = new Members;
        std::vector<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(*dir_))
            if (e.is_regular_file())
                names.push_back(fs::relative(e.path(), *dir_).generic_string());
        std::sort(names.begin(), names.end());
        for (const std::string& n : names)
            members_->add(n, support::readFile(*dir_ / n));
    }

    static void TearDownTestSuite()
    {
        fs::remove_all(*dir_);
        delete dir_;
        delete members_;
    }

    static fs::path* dir_;
    static Members* members_;
};

fs::path* GameData::dir_ = nullptr;
Members* GameData::members_ = nullptr;

}  // namespace

TEST_F(GameData, EveryNameKeyGlyphLevelAndSoundIsPresentAndReads)
{
    ASSERT_GT(members_->names().size(), 100u) << "game.dat did not unpack";
    std::vector<std::string> faults = checkMembers(*members_);
    for (const std::string& f : faults)
        ADD_FAILURE() << f;
}

// The set with one member dropped (no replacement) or replaced.
static Members altered(const Members& m, const std::string& name, const std::optional<Bytes>& replacement)
{
    Members out;
    for (const std::string& n : m.names())
        if (n != name)
            out.add(n, m.get(n));
        else if (replacement)
            out.add(n, *replacement);
    return out;
}

TEST_F(GameData, TheCheckNoticesAMissingOrDamagedPiece)
{
    TextTable de = readLanguageFile("res_de.dat", members_->get("res_de.dat"));
    for (auto& [key, value] : de.entries)
        if (key == "ABOUT_INFO")
            value = "Vandrel";  // the tokens are gone
    Bytes level = members_->get("3.bin");
    level[0] = 12;  // wider than any screen, and longer than the file
    Bytes sprites = members_->get("s24/img/Game.bin");
    sprites.resize(sprites.size() / 2);
    const std::pair<std::string, std::optional<Bytes>> cases[] = {  // no bytes: dropped
        {"s24/img/Game.bin", {}}, {"snd/inc.wav", {}}, {"5.bin", {}}, {"res_ru.dat", {}}, {"s16/menu_1", {}},
        {"res_de.dat", encodeLanguageFile(de)},
        {"3.bin", level},
        {"s24/img/Game.bin", sprites},
        {"240x320.dat", encodeTextFile({{"PATH", "s48/"}})},
        {"snd/menu.mod", Bytes(members_->get("snd/menu.mod").begin(), members_->get("snd/menu.mod").begin() + 2000)},
    };
    for (const auto& [name, bytes] : cases)
        EXPECT_FALSE(checkMembers(altered(*members_, name, bytes)).empty()) << name << (bytes ? " damaged" : " dropped");
}

// Every open decodes the member's whole block: members share a block only up to 32 KB.
TEST_F(GameData, IsSolidLzma2InSmallBlocksWithoutTimesOrFolders)
{
    const std::string text = run({SEVEN_ZIP, "l", "-slt", TINTROW_GAME_DAT});
    EXPECT_NE(text.find("Solid = +"), std::string::npos);
    EXPECT_EQ(std::regex_search(text, std::regex("Method = (?!LZMA2)")), false) << "only LZMA2, no filters";
    EXPECT_EQ(std::regex_search(text, std::regex("Modified = \\d")), false) << "no time stamps";
    EXPECT_EQ(text.find("Folder = +"), std::string::npos) << "no folder entries";
    std::istringstream listing(text);
    std::map<long, std::pair<long, long>> blocks;  // block -> total and largest member
    long size = 0;
    for (std::string line; std::getline(listing, line);) {
        if (line.rfind("Size = ", 0) == 0)
            size = std::stol(line.substr(7));
        else if (line.rfind("Block = ", 0) == 0) {
            auto& [total, largest] = blocks[std::stol(line.substr(8))];
            total += size, largest = std::max(largest, size);
        }
    }
    ASSERT_GT(blocks.size(), 1u);
    for (const auto& [block, sizes] : blocks)
        EXPECT_LT(sizes.first - sizes.second, 32 * 1024) << "block " << block;
}

TEST_F(GameData, AFreshGenerationGivesTheSameBytes)
{
    fs::path again = *dir_ / ".." / (dir_->filename().string() + "-again");
    std::string out = run({TINTROW_DATAGEN, TINTROW_DATA_DIR, again, "--fonts", TINTROW_FONT_DIR, "--sox", SOX,
                           "--vendor-url", TINTROW_VENDOR_URL});
    EXPECT_TRUE(out.empty()) << out;
    for (const std::string& n : members_->names())
        EXPECT_EQ(support::readFile(again / n), members_->get(n)) << n;
    fs::remove_all(again);
    fs::remove(again.string() + ".list");
}

TEST_F(GameData, CompressedSoundsDecodeWithAnIndependentDecoder)
{
    int adpcm = 0;
    for (const SoundName& s : soundTable()) {
        fs::path wav = *dir_ / (std::string(s.name) + ".wav");
        if (s.tune || !fs::exists(wav))
            continue;
        adpcm += run({SOX, "--i", wav}).find("ADPCM") != std::string::npos;
        EXPECT_NE(run({SOX, wav, "-n", "stat"}).find("Maximum amplitude"), std::string::npos) << s.name;
    }
    EXPECT_GE(adpcm, 1) << "at least one effect is 4-bit MS-ADPCM";
}

TEST_F(GameData, TunesPlayAMinuteBeforeTheyLoopInAnIndependentPlayer)
{
    for (const SoundName& s : soundTable()) {
        if (!s.tune)
            continue;
        fs::path mod = *dir_ / (std::string(s.name) + ".mod");
        std::string info = run({"openmpt123", "--info", mod});
        std::smatch m;
        ASSERT_TRUE(std::regex_search(info, m, std::regex("Duration\\.*: (\\d+):(\\d+)"))) << info;
        int seconds = std::stoi(m[1]) * 60 + std::stoi(m[2]);
        EXPECT_GE(seconds, 60) << s.name;
    }
}
