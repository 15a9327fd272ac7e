// Checks the packed game.dat: unpacked by 7-Zip, read back member by member, and its sounds
// and tunes played by independent readers (sox, openmpt123).
#include "Audio.h"
#include "GameReaders.h"
#include "Generate.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;
using namespace datagen;

namespace {

std::string run(const std::string& command)
{
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>&1").c_str(), "r"), pclose);
    if (!pipe)
        return out;
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, pipe.get())) > 0;)
        out.append(buf, n);
    return out;
}

std::string quoted(const fs::path& p)
{
    return "'" + p.string() + "'";
}

class GameData : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        unpacked = new fs::path(fs::temp_directory_path() / ("tintrow-gamedata-" + std::to_string(::getpid())));
        fs::remove_all(*unpacked);
        fs::create_directories(*unpacked);
        run(std::string(SEVEN_ZIP) + " x -bso0 -bsp0 -o" + quoted(*unpacked) + " " + quoted(TINTROW_GAME_DAT));
        members = new Members;
        std::vector<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(*unpacked))
            if (e.is_regular_file())
                names.push_back(fs::relative(e.path(), *unpacked).generic_string());
        std::sort(names.begin(), names.end());
        for (const std::string& n : names) {
            std::ifstream in(*unpacked / n, std::ios::binary);
            members->add(n, Bytes(std::istreambuf_iterator<char>(in), {}));
        }
    }

    static void TearDownTestSuite()
    {
        fs::remove_all(*unpacked);
        delete unpacked;
        delete members;
    }

    static fs::path* unpacked;
    static Members* members;
};

fs::path* GameData::unpacked = nullptr;
Members* GameData::members = nullptr;

}  // namespace

TEST_F(GameData, EveryNameKeyGlyphLevelAndSoundIsPresentAndReads)
{
    ASSERT_GT(members->names().size(), 100u) << "game.dat did not unpack";
    std::vector<std::string> faults = checkMembers(*members);
    for (const std::string& f : faults)
        ADD_FAILURE() << f;
}

// The set with one member dropped (replacement null) or replaced.
static Members altered(const Members& m, const std::string& name, const Bytes* replacement)
{
    Members out;
    for (const std::string& n : m.names())
        if (n != name)
            out.add(n, m.get(n));
        else if (replacement)
            out.add(n, *replacement);
    return out;
}

TEST_F(GameData, TheCheckNoticesAMissingPiece)
{
    for (const char* dropped : {"s24/img/Game.bin", "snd/inc.wav", "5.bin", "res_ru.dat", "s16/menu_1"})
        EXPECT_FALSE(checkMembers(altered(*members, dropped, nullptr)).empty()) << dropped;
}

TEST_F(GameData, TheCheckNoticesADamagedPiece)
{
    TextTable de = readLanguageFile("res_de.dat", members->get("res_de.dat"));
    for (auto& [key, value] : de.entries)
        if (key == "ABOUT_INFO")
            value = "Vandrel";  // the tokens are gone
    Bytes level = members->get("3.bin");
    level[0] = 12;  // wider than any screen, and longer than the file
    Bytes sprites = members->get("s24/img/Game.bin");
    sprites.resize(sprites.size() / 2);
    const std::pair<std::string, Bytes> cases[] = {
        {"res_de.dat", encodeLanguageFile(de)},
        {"3.bin", level},
        {"s24/img/Game.bin", sprites},
        {"240x320.dat", encodeTextFile({{"PATH", "s48/"}})},
        {"snd/menu.mod", Bytes(members->get("snd/menu.mod").begin(), members->get("snd/menu.mod").begin() + 2000)},
    };
    for (const auto& [name, bytes] : cases)
        EXPECT_FALSE(checkMembers(altered(*members, name, &bytes)).empty()) << name;
}

TEST_F(GameData, IsSolidLzma2WithoutTimesOrFolders)
{
    std::string listing = run(std::string(SEVEN_ZIP) + " l -slt " + quoted(TINTROW_GAME_DAT));
    EXPECT_NE(listing.find("Solid = +"), std::string::npos);
    EXPECT_EQ(std::regex_search(listing, std::regex("Method = (?!LZMA2)")), false) << "only LZMA2, no filters";
    EXPECT_EQ(std::regex_search(listing, std::regex("Modified = \\d")), false) << "no time stamps";
    EXPECT_EQ(listing.find("Folder = +"), std::string::npos) << "no folder entries";
}

// Every open decodes the member's whole block: members share a block only up to 32 KB.
TEST_F(GameData, SolidBlocksStaySmall)
{
    std::istringstream listing(run(std::string(SEVEN_ZIP) + " l -slt " + quoted(TINTROW_GAME_DAT)));
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
    fs::path again = *unpacked / ".." / (unpacked->filename().string() + "-again");
    std::string out = run(std::string(TINTROW_DATAGEN) + " " + quoted(TINTROW_DATA_DIR) + " " + quoted(again) +
                          " --fonts " + quoted(TINTROW_FONT_DIR) + " --sox " + quoted(SOX) +
                          " --vendor-url " + quoted(TINTROW_VENDOR_URL));
    EXPECT_TRUE(out.empty()) << out;
    size_t compared = 0;
    for (const std::string& n : members->names()) {
        std::ifstream in(again / n, std::ios::binary);
        EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(in), {}), members->get(n)) << n;
        ++compared;
    }
    EXPECT_EQ(compared, members->names().size());
    fs::remove_all(again);
    fs::remove(again.string() + ".list");
}

TEST_F(GameData, CompressedSoundsDecodeWithAnIndependentDecoder)
{
    int adpcm = 0;
    for (const SoundName& s : soundTable()) {
        fs::path wav = *unpacked / (std::string(s.name) + ".wav");
        if (s.tune || !fs::exists(wav))
            continue;
        std::string info = run(std::string(SOX) + " --i " + quoted(wav));
        adpcm += info.find("ADPCM") != std::string::npos;
        EXPECT_NE(run(std::string(SOX) + " " + quoted(wav) + " -n stat").find("Maximum amplitude"), std::string::npos)
            << s.name;
    }
    EXPECT_GE(adpcm, 1) << "at least one effect is 4-bit MS-ADPCM";
}

TEST_F(GameData, TunesPlayAMinuteBeforeTheyLoopInAnIndependentPlayer)
{
    for (const SoundName& s : soundTable()) {
        if (!s.tune)
            continue;
        fs::path mod = *unpacked / (std::string(s.name) + ".mod");
        std::string info = run("openmpt123 --info " + quoted(mod));
        std::smatch m;
        ASSERT_TRUE(std::regex_search(info, m, std::regex("Duration\\.*: (\\d+):(\\d+)"))) << info;
        int seconds = std::stoi(m[1]) * 60 + std::stoi(m[2]);
        EXPECT_GE(seconds, 60) << s.name;
    }
}
