// Archives made by 7-Zip read back exactly through the game's reader; names follow the lookup rules.
#include "io/D7zipInputStream.h"
#include "io/DArchive.h"
#include "lang/DString.h"
#include "lang/HostHooks.h"
#include "support/Files.h"
#include "support/Process.h"
#include "support/TempDir.h"
#include "support/Thrown.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace vela;
using namespace vela::io;
using support::Bytes;
using Tree = std::map<std::string, std::string>;

namespace {

std::string readMember(const std::string& name)
{
    D7zipInputStreamPtr in = new D7zipInputStream(lang::DString::fromUtf8(name));
    std::string bytes;
    for (int32_t c; (c = in->read()) >= 0;)
        bytes.push_back(char(c));
    return bytes;
}

std::string text(const Bytes& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// Packs the tree with the switches and opens the archive.
void openPacked(const support::TempDir& dir, const Tree& tree, const std::vector<std::string>& switches = {})
{
    support::pack7z(dir / "t.7z", tree, switches);
    openArchiveAt(dir / "t.7z");
}

// A source tree with the shapes resources take: empty, nested, text, x86 code, large.
Tree sampleTree()
{
    std::string help;
    for (int i = 0; i < 2000; ++i)
        help += "line " + std::to_string(i) + " of the help text\n";
    Bytes code = support::patternBytes(90000, 77);
    for (size_t i = 0; i + 5 < code.size(); i += 7)
        code[i] = (i % 14) ? 0xE8 : 0xE9; // calls and jumps for the branch filters
    return {{"empty.txt", ""}, {"text/readme.txt", help}, {"a/b/c/d/deep.bin", text(support::patternBytes(70000, 1))},
            {"code/x86.bin", text(code)}, {"big.bin", std::string(300000, 'Z')}, {"one", "B"}};
}

struct ArchiveCase {
    const char* label;
    std::vector<std::string> switches;
};

const ArchiveCase METHODS[] = {
    {"lzma_solid", {"-m0=LZMA", "-ms=on"}}, {"lzma2_nonsolid", {"-m0=LZMA2", "-ms=off"}},
    {"ppmd", {"-m0=PPMd"}}, {"bcj_lzma", {"-mf=BCJ", "-m0=LZMA"}}, {"bcj2", {"-mf=BCJ2"}},
    {"copy", {"-m0=Copy"}}, {"copy_plain_header", {"-m0=Copy", "-mhc=off"}},
    {"solid_max", {"-mx=9", "-ms=on"}}, {"arm64_filter", {"-mf=ARM64"}}, {"delta_filter", {"-mf=Delta:4"}},
};

class ArchiveMethods : public ::testing::TestWithParam<ArchiveCase> { };

TEST_P(ArchiveMethods, EveryMemberReadsBackByteForByte)
{
    support::TempDir dir;
    Tree tree = sampleTree();
    openPacked(dir, tree, GetParam().switches);
    for (const auto& [name, bytes] : tree)
        EXPECT_EQ(readMember(name), bytes) << name;
    closeArchive();
}

INSTANTIATE_TEST_SUITE_P(SevenZip, ArchiveMethods, ::testing::ValuesIn(METHODS),
                         [](const auto& info) { return std::string(info.param.label); });

TEST(Archive, NameFormsEqualHashesAndMissingMembers)
{
    support::TempDir dir;
    openPacked(dir, {{"img/logo.png", "png"}, {"Aa", "1"}, {"BB", "2"}}, {"-ms=on"});
    for (const char* name : {"img/logo.png", "/img/logo.png", "img\\logo.png", "\\img\\logo.png"})
        EXPECT_EQ(readMember(name), "png") << name;
    EXPECT_THROWS_KIND(readMember("//img/logo.png"), lang::IOException); // one slash is dropped
    EXPECT_THROWS_KIND(readMember("img"), lang::IOException);            // folders are not members
    EXPECT_THROWS_KIND(D7zipInputStream(nullptr), lang::NullPointerException);
    // "Aa", "BB" and "C#" hash alike; lookups compare hashes only, so all find the earlier member.
    ASSERT_EQ(archiveNameHash("C#"), archiveNameHash("Aa"));
    const std::vector<std::string> names = archiveMemberNames();
    const std::string earlier = std::find(names.begin(), names.end(), "Aa") < std::find(names.begin(), names.end(), "BB")
                                    ? "1" : "2";
    for (const char* name : {"Aa", "BB", "C#"})
        EXPECT_EQ(readMember(name), earlier) << name;
    EXPECT_EQ(archiveNameHash("\xE9"), -23) << "bytes count as signed";
    closeArchive();
}

TEST(Archive, StreamsOutliveTheArchiveWhichOpensFromTheProgramFolder)
{
    support::TempDir dir;
    support::pack7z(dir / "game.dat", Tree{{"p", "\1\2\3"}});
    lang::host::setProgramFile(dir / "tintrow");
    openArchive(lang::DString::fromUtf8("game.dat"));
    lang::host::setProgramFile("");
    ASSERT_TRUE(isArchiveOpen());
    D7zipInputStreamPtr in = new D7zipInputStream(lang::DString::fromUtf8("p"));
    closeArchive();
    EXPECT_THROWS_KIND(readMember("p"), lang::IOException);
    lang::DbyteArrayPtr b = new lang::DbyteArray(10);
    EXPECT_EQ(in->skip(1), 1);
    EXPECT_EQ(in->read(b, 0, 10), 2);
    EXPECT_EQ(in->read(), -1); // at the end, unlike a file
    in->reset();
    EXPECT_EQ(in->read(), 1);
}

} // namespace
