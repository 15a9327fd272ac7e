// Text keys: resolved through the string table, and again when the engine's language changes.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

#include "GUITestAssets.h"
#include "GUITestSupport.h"
#include "gamelib/StringManager.h"
#include "guilib/GUIText.h"
#include "io/DArchive.h"
#include "lang/DString.h"

using namespace gamelib;
using namespace guitest;
using vela::lang::DString;

namespace {

// A language file: each entry a 16-bit big-endian length and the UTF-8 bytes.
std::string languageFile(std::initializer_list<std::string> entries)
{
    std::string bytes;
    for (const std::string& e : entries) {
        bytes += static_cast<char>(e.size() >> 8);
        bytes += static_cast<char>(e.size() & 0xFF);
        bytes += e;
    }
    return bytes;
}

class GUITextKeyTest : public GUITest {
protected:
    void SetUp() override
    {
        GUITest::SetUp();
        engine().defaultFont = testFont();
        // One folder per test process: ctest runs the cases side by side.
        folder = std::filesystem::path(::testing::TempDir())
            / ("guilib-text-keys-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder / "staging");
        const std::map<std::string, std::string> members = {
            { "res_a.dat", languageFile({ "GREETING=αα", "OTHER=δ" }) },
            { "res_b.dat", languageFile({ "GREETING=ββ ββ" }) },
        };
        for (const auto& m : members)
            std::ofstream(folder / "staging" / m.first, std::ios::binary) << m.second;
        std::string command = "cd '" + (folder / "staging").string()
            + "' && 7zz a -bd -bso0 -bsp0 ../strings.7z . >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
        vela::io::openArchiveAt((folder / "strings.7z").string());
    }
    void TearDown() override
    {
        vela::io::closeArchive();
        std::filesystem::remove_all(folder);
        GUITest::TearDown();
    }
    StringManagerPtr strings(const char16_t* name)
    {
        StringManagerPtr table = new StringManager();
        table->load(new DString(name), true);
        return table;
    }
    std::u16string firstWords(const GUITextPtr& text)
    {
        text->getHeight(100);
        std::u16string words;
        for (const GUIPlacedChunk& p : text->placedChunks())
            words += std::u16string(p.chunk->getWord()->view()) + u"|";
        return words;
    }
    std::filesystem::path folder;
};

TEST_F(GUITextKeyTest, KeysFollowTheEngineLanguage)
{
    engine().defaultStrings = strings(u"res_a.dat");
    engine().language = 0;
    GUITextPtr text = new GUIText();
    text->setTextKey(new DString(u"GREETING"));
    EXPECT_EQ(firstWords(text), u"αα|");
    engine().defaultStrings = strings(u"res_b.dat");
    EXPECT_EQ(firstWords(text), u"αα|") << "same language: no new lookup";
    engine().language = 1;
    EXPECT_EQ(firstWords(text), u"ββ|ββ|");
    text->setTextKey(new DString(u"MISSING"));
    EXPECT_EQ(firstWords(text), u"MISSING|") << "a missing key shows itself";
}

TEST_F(GUITextKeyTest, TheTextsOwnTableComesFirst)
{
    engine().defaultStrings = strings(u"res_b.dat");
    GUITextPtr text = new GUIText();
    text->setStrings(strings(u"res_a.dat"));
    text->setTextKey(new DString(u"OTHER"));
    EXPECT_EQ(firstWords(text), u"δ|");
}

TEST_F(GUITextKeyTest, WithoutATableTheKeyWaits)
{
    GUITextPtr text = new GUIText();
    text->setTextKey(new DString(u"GREETING"));
    EXPECT_EQ(text->getHeight(100), 0);
    engine().defaultStrings = strings(u"res_a.dat");
    engine().language = 3;
    EXPECT_EQ(firstWords(text), u"αα|");
}

} // namespace
