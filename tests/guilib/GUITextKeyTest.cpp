// Text keys: resolved through the string table, and again when the engine's language changes.
#include <string>

#include "GUITestAssets.h"
#include "GUITestSupport.h"
#include "gamelib/StringManager.h"
#include "guilib/GUIText.h"
#include "io/DArchive.h"
#include "lang/DString.h"
#include "support/Process.h"
#include "support/TempDir.h"

using namespace gamelib;
using namespace guilib;
using namespace guitest;
using namespace gamelib;
using namespace guilib;
using vela::lang::DString;

namespace {

class GUITextKeyTest : public GUITest {
protected:
    void TearDown() override
    {
        vela::io::closeArchive();
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
    support::TempDir folder;
};

TEST_F(GUITextKeyTest, KeysResolveThroughTheTextsTableThenTheEnginesAndFollowTheLanguage)
{
    engine().defaultFont = testFont();
    // Language files: each entry a 16-bit big-endian length and the UTF-8 bytes.
    std::map<std::string, std::string> files;
    for (const auto& [name, entries] : {std::pair<const char*, std::vector<std::string>>{"res_a.dat", {"GREETING=αα", "OTHER=δ"}},
                                        {"res_b.dat", {"GREETING=ββ ββ"}}})
        for (const std::string& e : entries)
            files[name] += std::string{char(e.size() >> 8), char(e.size() & 0xFF)} + e;
    support::pack7z(folder / "strings.7z", files);
    vela::io::openArchiveAt(folder / "strings.7z");

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
