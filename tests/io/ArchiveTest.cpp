// Archives made by 7-Zip read back exactly through D7zipInputStream; names follow the lookup rules.
#include "io/D7zipInputStream.h"
#include "io/DArchive.h"
#include "io/TestFiles.h"
#include "lang/DString.h"
#include "lang/HostHooks.h"
#include "lang/ThrownKind.h"

#include <gtest/gtest.h>

using namespace vela;
using namespace vela::io;
using testfiles::Bytes;
using testfiles::TempDir;

namespace {

Bytes readMember(const std::string& name)
{
    D7zipInputStreamPtr in = new D7zipInputStream(lang::DString::fromUtf8(name));
    Bytes bytes;
    for (int32_t c; (c = in->read()) >= 0;)
        bytes.push_back(uint8_t(c));
    return bytes;
}

// Bytes that look like x86 code, so that the branch filters have calls to convert.
Bytes callHeavyCode(size_t size)
{
    Bytes code = testfiles::patternBytes(size, 77);
    for (size_t i = 0; i + 5 < size; i += 7)
        code[i] = (i % 14) ? 0xE8 : 0xE9;
    return code;
}

// A source tree with the shapes resources take: empty, nested, text, code, large.
std::map<std::string, Bytes> sampleTree()
{
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "line " + std::to_string(i) + " of the help text\n";
    return {
        {"empty.txt", {}},
        {"text/readme.txt", Bytes(text.begin(), text.end())},
        {"a/b/c/d/deep.bin", testfiles::patternBytes(70000, 1)},
        {"code/x86.bin", callHeavyCode(90000)},
        {"big.bin", Bytes(300000, 0x5A)},
        {"one", {0x42}},
    };
}

void writeTree(const std::string& root, const std::map<std::string, Bytes>& tree)
{
    for (const auto& [name, bytes] : tree)
        testfiles::writeFile(root + "/" + name, bytes);
}

struct ArchiveCase {
    const char* label;
    std::vector<std::string> switches;
};

const ArchiveCase kMethods[] = {
    {"lzma_solid", {"-m0=LZMA", "-ms=on"}},
    {"lzma2_nonsolid", {"-m0=LZMA2", "-ms=off"}},
    {"ppmd", {"-m0=PPMd"}},
    {"bcj_lzma", {"-mf=BCJ", "-m0=LZMA"}},
    {"bcj2", {"-mf=BCJ2"}},
    {"copy", {"-m0=Copy"}},
    {"copy_plain_header", {"-m0=Copy", "-mhc=off"}},
    {"solid_max", {"-mx=9", "-ms=on"}},
    {"arm64_filter", {"-mf=ARM64"}},
    {"delta_filter", {"-mf=Delta:4"}},
};

class ArchiveMethods : public ::testing::TestWithParam<ArchiveCase> { };

TEST_P(ArchiveMethods, EveryMemberReadsBackByteForByte)
{
    TempDir dir;
    auto tree = sampleTree();
    writeTree(dir / "src", tree);
    testfiles::make7z(dir / "t.7z", dir / "src", GetParam().switches);
    openArchiveAt(dir / "t.7z");
    for (const auto& [name, bytes] : tree)
        EXPECT_EQ(readMember(name), bytes) << name;
    closeArchive();
}

INSTANTIATE_TEST_SUITE_P(SevenZip, ArchiveMethods, ::testing::ValuesIn(kMethods),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(Archive, ThreeHundredMembersInOneSolidBlock)
{
    TempDir dir;
    std::map<std::string, Bytes> tree;
    for (int i = 0; i < 300; ++i)
        tree["m/" + std::to_string(i % 7) + "/f" + std::to_string(i) + ".bin"] =
            testfiles::patternBytes(size_t(i * 37 % 1500), uint32_t(i));
    writeTree(dir / "src", tree);
    testfiles::make7z(dir / "t.7z", dir / "src", {"-ms=on"});
    openArchiveAt(dir / "t.7z");
    EXPECT_EQ(archiveMemberNames().size(), 300u);
    for (const auto& [name, bytes] : tree)
        ASSERT_EQ(readMember(name), bytes) << name;
    closeArchive();
}

class ArchiveNames : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeTree(dir / "src", {{"img/logo.png", {1, 2, 3}}, {"Aa", {'1'}}, {"BB", {'2'}}});
        testfiles::make7z(dir / "t.7z", dir / "src", {"-ms=on"});
        openArchiveAt(dir / "t.7z");
    }
    void TearDown() override { closeArchive(); }

    TempDir dir;
};

TEST_F(ArchiveNames, SlashesAndBackslashesFindTheSameMember)
{
    for (const char* name : {"img/logo.png", "/img/logo.png", "img\\logo.png", "\\img\\logo.png"})
        EXPECT_EQ(readMember(name), (Bytes{1, 2, 3})) << name;
}

TEST_F(ArchiveNames, OnlyOneLeadingSlashIsDropped)
{
    EXPECT_THROWS_KIND(readMember("//img/logo.png"), lang::IOException);
}

TEST_F(ArchiveNames, MissingMemberThrowsIOException)
{
    EXPECT_THROWS_KIND(readMember("img/none.png"), lang::IOException);
    EXPECT_THROWS_KIND(readMember("img"), lang::IOException); // directories are not members
}

TEST_F(ArchiveNames, EqualHashesFindTheEarlierMember)
{
    ASSERT_EQ(archiveNameHash("Aa"), archiveNameHash("BB"));
    std::vector<std::string> names = archiveMemberNames();
    auto aa = std::find(names.begin(), names.end(), "Aa") - names.begin();
    auto bb = std::find(names.begin(), names.end(), "BB") - names.begin();
    Bytes earlier = aa < bb ? Bytes{'1'} : Bytes{'2'};
    EXPECT_EQ(readMember("Aa"), earlier);
    EXPECT_EQ(readMember("BB"), earlier);
    // A third name with the same hash also finds it: lookup compares hashes only.
    ASSERT_EQ(archiveNameHash("C#"), archiveNameHash("Aa"));
    EXPECT_EQ(readMember("C#"), earlier);
}

TEST_F(ArchiveNames, NullNameThrowsNullPointer)
{
    EXPECT_THROWS_KIND(D7zipInputStream(nullptr), lang::NullPointerException);
}

TEST_F(ArchiveNames, StreamsOutliveTheArchive)
{
    D7zipInputStreamPtr in = new D7zipInputStream(lang::DString::fromUtf8("img/logo.png"));
    closeArchive();
    EXPECT_EQ(in->available(), 3);
    EXPECT_EQ(in->read(), 1);
    EXPECT_THROWS_KIND(readMember("img/logo.png"), lang::IOException);
}

TEST_F(ArchiveNames, StreamReadsLikeAnInMemoryStream)
{
    D7zipInputStreamPtr in = new D7zipInputStream(lang::DString::fromUtf8("img/logo.png"));
    lang::DbyteArrayPtr b = new lang::DbyteArray(10);
    EXPECT_EQ(in->skip(1), 1);
    EXPECT_EQ(in->read(b, 0, 10), 2);
    EXPECT_EQ(in->read(b, 0, 10), -1);
    EXPECT_EQ(in->read(), -1);
    in->reset();
    EXPECT_EQ(in->read(), 1);
    in->close();
    EXPECT_EQ(in->available(), 0);
}

TEST(Archive, HashOfNamesWrapsAndTakesBytesAsSigned)
{
    EXPECT_EQ(archiveNameHash(""), 0);
    EXPECT_EQ(archiveNameHash("a"), 97);
    EXPECT_EQ(archiveNameHash("\xE9"), -23);
    EXPECT_EQ(archiveNameHash("snd/select.wav"), int32_t(0xE78AD360u));
}

TEST(Archive, OpenArchiveLooksInTheProgramDirectory)
{
    TempDir dir;
    writeTree(dir / "src", {{"x.txt", {'x'}}});
    testfiles::make7z(dir / "game.dat", dir / "src", {});
    lang::host::setProgramFile(dir / "tintrow");
    openArchive(lang::DString::fromUtf8("game.dat"));
    lang::host::setProgramFile("");
    EXPECT_TRUE(isArchiveOpen());
    EXPECT_EQ(readMember("x.txt"), Bytes{'x'});
    closeArchive();
    EXPECT_FALSE(isArchiveOpen());
}

TEST(Archive, ClosedArchiveThrowsIOException)
{
    closeArchive();
    EXPECT_THROWS_KIND(readMember("x.txt"), lang::IOException);
}

} // namespace
