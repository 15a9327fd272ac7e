// String files in both encodings, includes, lookups, splitting and the stored language choice.
#include "GameLibTestSupport.h"

#include "gamelib/Resources.h"
#include "gamelib/StringManager.h"
#include "lang/DString.h"

#include <initializer_list>

using namespace vela::lang;
using namespace gamelib;

namespace {

// Entries as a language file: each a 16-bit big-endian length and the bytes.
std::string languageFile(std::initializer_list<std::string> entries)
{
    Bytes bytes;
    for (const std::string& entry : entries)
        bytes.utf(entry);
    return bytes.str();
}

std::string text(const DStringPtr& s)
{
    return s ? s->toUtf8() : "<null>";
}

class StringManagerTest : public ::testing::Test {
protected:
    std::string get(const char16_t* key) { return text(strings->get(key)); }
    void load(const char16_t* name, bool languageFile)
    {
        strings->load(new DString(name), languageFile);
    }
    TestResources resources;
    DPtr<StringManager> strings = new StringManager();
};

}

TEST_F(StringManagerTest, LanguageFileSplitsAtTheFirstEqualsAndLaterKeysWin)
{
    resources.openArchive({{"res_en.dat",
        languageFile({"A=one", "B=x=y", "no equals sign", "A=two", "=empty key", "C=",
            "\xC3\xA9=\xE2\x82\xAC"})}});
    load(u"res_en.dat", true);
    EXPECT_EQ("two", get(u"A"));
    EXPECT_EQ("x=y", get(u"B"));
    EXPECT_EQ("empty key", get(u""));
    EXPECT_EQ("", get(u"C"));
    EXPECT_EQ("\xE2\x82\xAC", get(u"\u00E9"));
    EXPECT_EQ("no equals sign", get(u"no equals sign"));
}

TEST_F(StringManagerTest, TextFileLinesEndWithCarriageReturnLineFeed)
{
    // Bytes above ASCII widen as signed values.
    resources.openArchive({{"240x320.dat", "PATH=a/;b\r\nX=1 \r\nK=\xE9\r\nLOST=tail"}});
    load(u"/240x320.dat", false);
    EXPECT_EQ("a/;b", get(u"PATH"));
    EXPECT_EQ("1 ", get(u"X"));
    EXPECT_EQ("LOST", get(u"LOST"));
    DStringPtr value = strings->get(u"K");
    ASSERT_EQ(1, value->length());
    EXPECT_EQ(char16_t(0xFFE9), value->charAt(0));
}

TEST_F(StringManagerTest, IncludeReadsTheLowerCasedFileWithALineFeedAfterEachEntry)
{
    resources.openArchive({
        {"res_en.dat", languageFile({"HELP=#include HELP_EN.DAT", "OTHER=#INCLUDE missing.dat", "K=#INCLUDE",
            "L=#INCLUDE "})},
        {"help_en.dat", languageFile({"line one", "#INCLUDE nested.dat"})},
        {"a.dat", "K=#Include B.TXT\r\n"}, {"b.txt", "x\r\ny\r\n"},
    });
    load(u"res_en.dat", true);
    EXPECT_EQ("line one\n#INCLUDE nested.dat\n", get(u"HELP"));
    for (const char16_t* key : {u"OTHER", u"K", u"L"})
        EXPECT_EQ("", get(key));
    load(u"a.dat", false);
    EXPECT_EQ("x\ny\n", get(u"K"));
}

TEST_F(StringManagerTest, TruncatedEntryIsDroppedQuietly)
{
    std::string bytes = languageFile({"A=1", "B=2"});
    bytes.resize(bytes.size() - 1);
    resources.openArchive({{"a.dat", bytes}});
    load(u"a.dat", true);
    EXPECT_EQ("1", get(u"A"));
    EXPECT_EQ("B", get(u"B"));
}

TEST_F(StringManagerTest, MalformedUtfFailsWithTheStreamException)
{
    resources.openArchive({{"a.dat", languageFile({"A=1", "B=\x80"})}});
    EXPECT_EQ(UTFDataFormatException, thrownCode([&] { load(u"a.dat", true); }));
}

TEST_F(StringManagerTest, MissingResourceAndNewLoadLeaveAnEmptyTable)
{
    resources.openArchive({{"a.dat", languageFile({"A=1"})}});
    load(u"a.dat", true);
    load(u"missing.dat", true);
    EXPECT_EQ("A", get(u"A"));
}

TEST_F(StringManagerTest, FallsBackToPlainFilesAlongTheSearchPath)
{
    resources.openArchive({{"other.dat", ""}});
    resources.writeFile("res/url.dat", languageFile({"VENDOR_URL=http://example.invalid"}));
    Resources::setSearchPath(DStringPtr(new DString(u"img;res")));
    load(u"/url.dat", true);
    EXPECT_EQ("http://example.invalid", get(u"VENDOR_URL"));
}

TEST(StringManagerSplit, KeepsEmptyParts)
{
    struct Case { const char16_t* text; std::vector<std::string> parts; };
    const Case cases[] = {
        {u"", {""}},
        {u";", {"", ""}},
        {u"a;b", {"a", "b"}},
        {u";;a;", {"", "", "a", ""}},
        {u"en", {"en"}},
    };
    for (const Case& c : cases) {
        DStringArrayPtr parts = StringManager::split(new DString(c.text), u';');
        std::vector<std::string> got;
        for (int32_t i = 0; i < parts->length(); ++i)
            got.push_back(parts->get(i)->toUtf8());
        EXPECT_EQ(c.parts, got) << DString(c.text).toUtf8();
    }
}

TEST(LanguageIndex, MissingDamagedAndStored)
{
    TestResources resources;
    EXPECT_EQ(-1, StringManager::readLanguageIndex());
    resources.writeFile("langid", std::string("\x00\x00", 2));
    EXPECT_EQ(-1, StringManager::readLanguageIndex());
    ASSERT_TRUE(StringManager::writeLanguageIndex(258));
    EXPECT_EQ(std::string("\x00\x00\x01\x02", 4), resources.readFile("langid"));
    EXPECT_EQ(258, StringManager::readLanguageIndex());
}
