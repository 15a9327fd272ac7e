// String files in both encodings, includes, damaged files and the stored language choice.
#include "GameLibTestSupport.h"

#include "gamelib/StringManager.h"
#include "lang/DString.h"
#include "support/Files.h"
#include "support/Thrown.h"

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

class StringManagerTest : public ::testing::Test {
protected:
    std::string get(const char16_t* key)
    {
        DStringPtr s = strings->get(key);
        return s ? s->toUtf8() : "<null>";
    }
    void load(const char16_t* name, bool languageFile) { strings->load(new DString(name), languageFile); }

    TestResources resources;
    DPtr<StringManager> strings = new StringManager();
};

}

TEST_F(StringManagerTest, IncludesReadTheLowerCasedFileWithALineFeedAfterEachEntry)
{
    resources.openArchive({
        {"res_en.dat", languageFile({"HELP=#include HELP_EN.DAT", "OTHER=#INCLUDE missing.dat", "K=#INCLUDE"})},
        {"help_en.dat", languageFile({"line one", "#INCLUDE nested.dat"})},
        {"a.dat", "K=#Include B.TXT\r\n"}, {"b.txt", "x\r\ny\r\n"},
    });
    load(u"res_en.dat", true);
    EXPECT_EQ("line one\n#INCLUDE nested.dat\n", get(u"HELP")) << "includes do not nest";
    EXPECT_EQ("", get(u"OTHER"));
    EXPECT_EQ("", get(u"K"));
    load(u"a.dat", false);
    EXPECT_EQ("x\ny\n", get(u"K"));
}

TEST_F(StringManagerTest, TruncatedEntriesAreDroppedMalformedTextFailsAndMissingFilesLeaveTheTable)
{
    std::string cut = languageFile({"A=1", "B=2"});
    cut.resize(cut.size() - 1);
    resources.openArchive({{"cut.dat", cut}, {"bad.dat", languageFile({"A=1", "B=\x80"})}});
    load(u"cut.dat", true);
    EXPECT_EQ("1", get(u"A"));
    EXPECT_EQ("B", get(u"B")) << "an unknown key shows itself";
    load(u"missing.dat", true);
    EXPECT_EQ("A", get(u"A")) << "a new load empties the table";
    EXPECT_EQ(UTFDataFormatException, support::thrownKind([&] { load(u"bad.dat", true); }));
}

TEST(LanguageIndex, MissingOrDamagedIsNoneAndAStoredOneReadsBack)
{
    TestResources resources;
    EXPECT_EQ(-1, StringManager::readLanguageIndex());
    support::writeFile(resources.folder() + "/langid", std::string("\x00\x00", 2));
    EXPECT_EQ(-1, StringManager::readLanguageIndex());
    ASSERT_TRUE(StringManager::writeLanguageIndex(258));
    EXPECT_EQ(std::string("\x00\x00\x01\x02", 4), support::readText(resources.folder() + "/langid"));
    EXPECT_EQ(258, StringManager::readLanguageIndex());
}
