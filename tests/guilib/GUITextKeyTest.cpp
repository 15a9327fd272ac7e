// Text keys: resolved through the string table, and again when the engine's language changes.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "GUITestAssets.h"
#include "GUITestSupport.h"
#include "gamelib/StringManager.h"
#include "guilib/GUIText.h"
#include "io/DArchive.h"
#include "lang/DString.h"

using namespace guilib;
using namespace guitest;
using namespace gamelib;
using vela::lang::DString;

namespace {

class GUITextKeyTest : public GUITest {
protected:
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
    std::u16string words(const GUITextPtr& text)
    {
        text->getHeight(100);
        std::u16string words;
        for (const GUIPlacedChunk& p : text->placedChunks())
            words += std::u16string(p.chunk->getWord()->view()) + u"|";
        return words;
    }
    // One folder per test process: ctest runs the cases side by side.
    std::filesystem::path folder = std::filesystem::path(::testing::TempDir())
        / ("guilib-text-keys-" + std::to_string(getpid()));
};

TEST_F(GUITextKeyTest, KeysResolveThroughTheTextsTableThenTheEnginesAndFollowTheLanguage)
{
    engine().defaultFont = testFont();
    // Language files: each entry a 16-bit big-endian length and the UTF-8 bytes.
    std::filesystem::create_directories(folder / "staging");
    const std::pair<const char*, std::vector<std::string>> files[] = {
        { "res_a.dat", { "GREETING=αα", "OTHER=δ" } },
        { "res_b.dat", { "GREETING=ββ ββ" } },
    };
    for (const auto& [name, entries] : files) {
        std::ofstream out(folder / "staging" / name, std::ios::binary);
        for (const std::string& e : entries)
            out << char(e.size() >> 8) << char(e.size() & 0xFF) << e;
    }
    std::string command = "cd '" + (folder / "staging").string()
        + "' && 7zz a -bd -bso0 -bsp0 ../strings.7z . >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    vela::io::openArchiveAt((folder / "strings.7z").string());

    GUITextPtr text = new GUIText();
    text->setTextKey(new DString(u"GREETING"));
    EXPECT_EQ(text->getHeight(100), 0) << "without a table the key waits";
    engine().defaultStrings = strings(u"res_a.dat");
    engine().language = 0;
    EXPECT_EQ(words(text), u"αα|");
    engine().defaultStrings = strings(u"res_b.dat");
    EXPECT_EQ(words(text), u"αα|") << "same language: no new lookup";
    engine().language = 1;
    EXPECT_EQ(words(text), u"ββ|ββ|");
    text->setTextKey(new DString(u"MISSING"));
    EXPECT_EQ(words(text), u"MISSING|") << "a missing key shows itself";
    text->setStrings(strings(u"res_a.dat"));
    text->setTextKey(new DString(u"OTHER"));
    EXPECT_EQ(words(text), u"δ|") << "the text's own table comes first";
}

} // namespace
