// Plain files in the program's directory: reading, the end of file, truncation and the data-folder stand-in.
#include "io/DFileInputStream.h"
#include "io/DFileOutputStream.h"
#include "io/HostPaths.h"
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

std::string testAppName()
{
    return "FileTest";
}

// A program folder of its own, and a data folder for the stand-ins.
class FileStreams : public ::testing::Test {
protected:
    void SetUp() override
    {
        testfiles::makeDirs(dir / "prog");
        lang::host::setProgramFile(dir / "prog/tintrow");
        ::setenv("TINTROW_HOME", (dir / "home").c_str(), 1);
        setAppNameSource(testAppName);
    }
    void TearDown() override
    {
        lang::host::setProgramFile("");
        setAppNameSource(nullptr);
    }

    static lang::DStringPtr name(const char* text) { return lang::DString::fromUtf8(text); }

    TempDir dir;
};

TEST_F(FileStreams, ReadsAFileOfTheProgramDirectoryWhateverTheSeparator)
{
    testfiles::writeFile(dir / "prog/sub/langid", Bytes{1, 2});
    for (const char* n : {"sub/langid", "/sub/langid", "\\sub\\langid"}) {
        DFileInputStreamPtr in = new DFileInputStream(name(n));
        EXPECT_EQ(in->available(), 2) << n;
        EXPECT_EQ(in->read(), 1) << n;
    }
}

TEST_F(FileStreams, ReadAtTheEndThrowsEofButBlockReadReturnsMinusOne)
{
    testfiles::writeFile(dir / "prog/f", Bytes{0xFF});
    DFileInputStreamPtr in = new DFileInputStream(name("f"));
    EXPECT_EQ(in->read(), 255);
    EXPECT_THROWS_KIND(in->read(), lang::EOFException);
    lang::DbyteArrayPtr b = new lang::DbyteArray(4);
    EXPECT_EQ(in->read(b, 0, 4), -1);
    in->reset();
    EXPECT_EQ(in->read(b, 0, 4), 1);
}

TEST_F(FileStreams, SkipAndAvailableFollowTheFilePointer)
{
    testfiles::writeFile(dir / "prog/f", testfiles::patternBytes(100, 1));
    DFileInputStreamPtr in = new DFileInputStream(name("f"));
    EXPECT_EQ(in->skip(40), 40);
    EXPECT_EQ(in->available(), 60);
    EXPECT_EQ(in->skip(1000), 60);
    EXPECT_EQ(in->available(), 0);
}

TEST_F(FileStreams, BadArgumentsAndMissingFilesThrow)
{
    testfiles::writeFile(dir / "prog/f", Bytes{1});
    EXPECT_THROWS_KIND(DFileInputStream(nullptr), lang::NullPointerException);
    EXPECT_THROWS_KIND(DFileInputStream(name("missing")), lang::IOException);
    EXPECT_THROWS_KIND(DFileInputStream(name("")), lang::IOException); // the folder itself
    DFileInputStreamPtr in = new DFileInputStream(name("f"));
    lang::DbyteArrayPtr b = new lang::DbyteArray(2);
    EXPECT_THROWS_KIND(in->read(b, 1, 2), lang::IndexOutOfBoundsException);
    EXPECT_THROWS_KIND(in->read(nullptr, 0, 1), lang::NullPointerException);
    in->close();
    EXPECT_THROWS_KIND(in->read(), lang::IOException);
}

TEST_F(FileStreams, OutputEmptiesAnExistingFile)
{
    testfiles::writeFile(dir / "prog/out", testfiles::patternBytes(50, 2));
    DFileOutputStreamPtr out = new DFileOutputStream(name("/out"));
    out->write(0x41);
    lang::DbyteArrayPtr b = new lang::DbyteArray(3);
    (*b)[1] = 0x42;
    out->write(b, 1, 2);
    out->flush();
    out->close();
    EXPECT_EQ(testfiles::readFile(dir / "prog/out"), (Bytes{0x41, 0x42, 0}));
    EXPECT_THROWS_KIND(out->write(1), lang::IOException);
}

TEST_F(FileStreams, UnwritableProgramDirectoryUsesTheDataFolderStandIn)
{
    // A program "directory" that is a plain file cannot be written even by root.
    testfiles::writeFile(dir / "blocked", Bytes{});
    lang::host::setProgramFile(dir / "blocked/tintrow");
    DFileOutputStreamPtr out = new DFileOutputStream(name("/langid"));
    out->write(3);
    out->close();
    EXPECT_EQ(testfiles::readFile(dir / "home/Vandrel/FileTest/files/langid"), Bytes{3});
    DFileInputStreamPtr in = new DFileInputStream(name("/langid"));
    EXPECT_EQ(in->read(), 3);
}

TEST_F(FileStreams, StandInIsReadBeforeTheProgramCopy)
{
    testfiles::writeFile(dir / "prog/langid", Bytes{1});
    testfiles::writeFile(dir / "home/Vandrel/FileTest/files/langid", Bytes{2});
    DFileInputStreamPtr in = new DFileInputStream(name("langid"));
    EXPECT_EQ(in->read(), 2);
}

TEST_F(FileStreams, WritingTheProgramCopyRetiresAStaleStandIn)
{
    testfiles::writeFile(dir / "home/Vandrel/FileTest/files/langid", Bytes{2});
    DFileOutputStreamPtr out = new DFileOutputStream(name("langid"));
    out->write(5);
    out->close();
    EXPECT_EQ(testfiles::readFile(dir / "prog/langid"), Bytes{5});
    DFileInputStreamPtr in = new DFileInputStream(name("langid"));
    EXPECT_EQ(in->read(), 5);
}

TEST(HostPaths, JoiningPutsExactlyOneSeparator)
{
    EXPECT_EQ(joinPath("/a", "b"), "/a/b");
    EXPECT_EQ(joinPath("/a/", "/b"), "/a/b");
    EXPECT_EQ(joinPath("/a", "//b/c"), "/a/b/c");
    EXPECT_EQ(toHostSeparators("x\\y\\z"), "x/y/z");
}

TEST(HostPaths, DataBaseFollowsTheEnvironment)
{
    std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "/root";
    std::string saved = std::getenv("TINTROW_HOME") ? std::getenv("TINTROW_HOME") : "";
    const char* savedXdg = std::getenv("XDG_DATA_HOME");
    std::string xdg = savedXdg ? savedXdg : "";
    ::setenv("TINTROW_HOME", "/t/home", 1);
    EXPECT_EQ(dataBase(), "/t/home");
    ::unsetenv("TINTROW_HOME");
    ::setenv("XDG_DATA_HOME", "/t/xdg", 1);
    EXPECT_EQ(dataBase(), "/t/xdg");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "/t/user", 1);
    EXPECT_EQ(dataBase(), "/t/user/.local/share");
    ::setenv("HOME", savedHome.c_str(), 1);
    ::setenv("TINTROW_HOME", saved.c_str(), 1);
    if (savedXdg)
        ::setenv("XDG_DATA_HOME", xdg.c_str(), 1);
}

} // namespace
