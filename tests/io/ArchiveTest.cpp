// Archives made by 7-Zip read back exactly through D7zipInputStream; names follow the lookup rules.
#include "io/D7zipInputStream.h"
#include "io/DArchive.h"
#include "io/TestFiles.h"
#include "lang/DString.h"
#include "lang/HostHooks.h"
#include "lang/ThrownKind.h"

#include <gtest/gtest.h>
#include <map>

using namespace vela;
using namespace vela::io;
using testfiles::Bytes;
using testfiles::TempDir;
using Tree = std::map<std::string, Bytes>;

namespace {

D7zipInputStreamPtr member(const std::string& name)
{
    return new D7zipInputStream(lang::DString::fromUtf8(name));
}

Bytes readMember(const std::string& name)
{
    D7zipInputStreamPtr in = member(name);
    Bytes bytes;
    for (int32_t c; (c = in->read()) >= 0;)
        bytes.push_back(uint8_t(c));
    return bytes;
}

// Writes the tree, packs it with the switches and opens the archive.
void openPacked(const TempDir& dir, const Tree& tree, const std::vector<std::string>& switches,
                const std::string& archive = "t.7z")
{
    for (const auto& [name, bytes] : tree)
        testfiles::writeFile(dir / ("src/" + name), bytes);
    testfiles::make7z(dir / archive, dir / "src", switches);
    openArchiveAt(dir / archive);
}

// A source tree with the shapes resources take: empty, nested, text, x86 code, large.
Tree sampleTree()
{
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "line " + std::to_string(i) + " of the help text\n";
    Bytes code = testfiles::patternBytes(90000, 77);
    for (size_t i = 0; i + 5 < code.size(); i += 7)
        code[i] = (i % 14) ? 0xE8 : 0xE9; // calls and jumps for the branch filters
    return {{"empty.txt", {}}, {"text/readme.txt", Bytes(text.begin(), text.end())},
            {"a/b/c/d/deep.bin", testfiles::patternBytes(70000, 1)}, {"code/x86.bin", code},
            {"big.bin", Bytes(300000, 0x5A)}, {"one", {0x42}}};
}

struct ArchiveCase {
    const char* label;
    std::vector<std::string> switches;
};

const ArchiveCase METHODS[] = {
    {"lzma_solid", {"-m0=LZMA", "-ms=on"}}, {"lzma2_nonsolid", {"-m0=LZMA2", "-ms=off"}},
    {"ppmd", {"-m0=PPMd"}}, {"bcj_lzma", {"-mf=BCJ", "-m0=LZMA"}}, {"bcj2", {"-mf=BCJ2"}},
    {"copy", {"-m0=Copy"}}, {"copy_plain_header", {"-m0=Copy", "-mhc=off"}},
    {"solid_max", {"-mx=9", "-ms=on"}}, {"arm64_filter", {"-mf=ARM64"}},
    {"delta_filter", {"-mf=Delta:4"}},
};

class ArchiveMethods : public ::testing::TestWithParam<ArchiveCase> { };

TEST_P(ArchiveMethods, EveryMemberReadsBackByteForByte)
{
    TempDir dir;
    Tree tree = sampleTree();
    openPacked(dir, tree, GetParam().switches);
    for (const auto& [name, bytes] : tree)
        EXPECT_EQ(readMember(name), bytes) << name;
    closeArchive();
}

INSTANTIATE_TEST_SUITE_P(SevenZip, ArchiveMethods, ::testing::ValuesIn(METHODS),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(Archive, ThreeHundredMembersInOneSolidBlock)
{
    TempDir dir;
    Tree tree;
    for (int i = 0; i < 300; ++i)
        tree["m/" + std::to_string(i % 7) + "/f" + std::to_string(i) + ".bin"] =
            testfiles::patternBytes(size_t(i * 37 % 1500), uint32_t(i));
    openPacked(dir, tree, {"-ms=on"});
    EXPECT_EQ(archiveMemberNames().size(), 300u);
    for (const auto& [name, bytes] : tree)
        ASSERT_EQ(readMember(name), bytes) << name;
    closeArchive();
}

TEST(Archive, NameFormsMissingMembersAndNullNames)
{
    TempDir dir;
    openPacked(dir, {{"img/logo.png", {1, 2, 3}}}, {});
    for (const char* name : {"img/logo.png", "/img/logo.png", "img\\logo.png", "\\img\\logo.png"})
        EXPECT_EQ(readMember(name), (Bytes{1, 2, 3})) << name;
    EXPECT_THROWS_KIND(readMember("//img/logo.png"), lang::IOException); // one slash is dropped
    EXPECT_THROWS_KIND(readMember("img/none.png"), lang::IOException);
    EXPECT_THROWS_KIND(readMember("img"), lang::IOException); // directories are not members
    EXPECT_THROWS_KIND(D7zipInputStream(nullptr), lang::NullPointerException);
    closeArchive();
}

TEST(Archive, EqualHashesFindTheEarlierMember)
{
    TempDir dir;
    openPacked(dir, {{"Aa", {'1'}}, {"BB", {'2'}}}, {"-ms=on"});
    ASSERT_EQ(archiveNameHash("Aa"), archiveNameHash("BB"));
    ASSERT_EQ(archiveNameHash("C#"), archiveNameHash("Aa"));
    Bytes earlier = archiveMemberNames().front() == "Aa" ? Bytes{'1'} : Bytes{'2'};
    for (const char* name : {"Aa", "BB", "C#"}) // lookup compares hashes only
        EXPECT_EQ(readMember(name), earlier) << name;
    closeArchive();
}

TEST(Archive, StreamsReadLikeInMemoryStreamsAndOutliveTheArchive)
{
    TempDir dir;
    openPacked(dir, {{"p", {1, 2, 3}}}, {});
    D7zipInputStreamPtr in = member("p");
    closeArchive();
    EXPECT_THROWS_KIND(readMember("p"), lang::IOException);
    lang::DbyteArrayPtr b = new lang::DbyteArray(10);
    EXPECT_EQ(in->available(), 3);
    EXPECT_EQ(in->skip(1), 1);
    EXPECT_EQ(in->read(b, 0, 10), 2);
    EXPECT_EQ(in->read(b, 0, 10), -1);
    EXPECT_EQ(in->read(), -1); // at the end, unlike a file
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
    openPacked(dir, {{"x.txt", {'x'}}}, {}, "game.dat");
    closeArchive();
    EXPECT_FALSE(isArchiveOpen());
    lang::host::setProgramFile(dir / "tintrow");
    openArchive(lang::DString::fromUtf8("game.dat"));
    lang::host::setProgramFile("");
    EXPECT_TRUE(isArchiveOpen());
    EXPECT_EQ(readMember("x.txt"), Bytes{'x'});
    closeArchive();
    EXPECT_THROWS_KIND(readMember("x.txt"), lang::IOException);
}

} // namespace
