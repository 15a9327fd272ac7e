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

namespace {

// A program folder of its own, and a data folder for the stand-ins.
class FileStreams : public ::testing::Test {
protected:
    void SetUp() override
    {
        testfiles::makeDirs(dir / "prog");
        lang::host::setProgramFile(dir / "prog/tintrow");
        ::setenv("TINTROW_HOME", (dir / "home").c_str(), 1);
        setAppNameSource([] { return std::string("FileTest"); });
    }
    void TearDown() override
    {
        lang::host::setProgramFile("");
        setAppNameSource(nullptr);
    }
    static DFileInputStreamPtr input(const char* name)
    {
        return new DFileInputStream(lang::DString::fromUtf8(name));
    }
    static void output(const char* name, const Bytes& bytes)
    {
        DFileOutputStreamPtr out = new DFileOutputStream(lang::DString::fromUtf8(name));
        out->write(testfiles::array(bytes), 0, int32_t(bytes.size()));
        out->close();
    }

    testfiles::TempDir dir;
    const std::string standIn = dir / "home/Vandrel/FileTest/files/langid";
};

TEST_F(FileStreams, ReadsWhateverTheSeparatorAndThrowsEofOnlyForTheSingleRead)
{
    testfiles::writeFile(dir / "prog/sub/f", testfiles::patternBytes(100, 1));
    for (const char* n : {"sub/f", "/sub/f", "\\sub\\f"})
        EXPECT_EQ(input(n)->available(), 100) << n;
    DFileInputStreamPtr in = input("sub/f");
    EXPECT_EQ(in->skip(40), 40);
    EXPECT_EQ(in->available(), 60);
    EXPECT_EQ(in->skip(1000), 60);
    EXPECT_THROWS_KIND(in->read(), lang::EOFException);
    lang::DbyteArrayPtr b = new lang::DbyteArray(4);
    EXPECT_EQ(in->read(b, 0, 4), -1);
    in->reset();
    EXPECT_EQ(in->read(b, 0, 4), 4);
    EXPECT_EQ(testfiles::bytesOf(b), testfiles::patternBytes(4, 1));
}

TEST_F(FileStreams, BadArgumentsAndMissingFilesThrow)
{
    testfiles::writeFile(dir / "prog/f", Bytes{1});
    EXPECT_THROWS_KIND(DFileInputStream(nullptr), lang::NullPointerException);
    EXPECT_THROWS_KIND(input("missing"), lang::IOException);
    EXPECT_THROWS_KIND(input(""), lang::IOException); // the folder itself
    DFileInputStreamPtr in = input("f");
    lang::DbyteArrayPtr b = new lang::DbyteArray(2);
    EXPECT_THROWS_KIND(in->read(b, 1, 2), lang::IndexOutOfBoundsException);
    EXPECT_THROWS_KIND(in->read(nullptr, 0, 1), lang::NullPointerException);
    in->close();
    EXPECT_THROWS_KIND(in->read(), lang::IOException);
}

// Until the close the old file stays whole: a crash or a full disk never leaves it emptied.
TEST_F(FileStreams, OutputReplacesAnExistingFileAtClose)
{
    testfiles::writeFile(dir / "prog/out", testfiles::patternBytes(50, 2));
    DFileOutputStreamPtr out = new DFileOutputStream(lang::DString::fromUtf8("/out"));
    out->write(0x41);
    out->write(testfiles::array({0, 0x42, 0}), 1, 2);
    out->flush();
    EXPECT_EQ(testfiles::readFile(dir / "prog/out"), testfiles::patternBytes(50, 2));
    { DFileOutputStreamPtr dropped = new DFileOutputStream(lang::DString::fromUtf8("/out")); }
    EXPECT_EQ(testfiles::readFile(dir / "prog/out"), testfiles::patternBytes(50, 2));
    out->close();
    EXPECT_EQ(testfiles::readFile(dir / "prog/out"), (Bytes{0x41, 0x42, 0}));
    EXPECT_THROWS_KIND(out->write(1), lang::IOException);
}

// The build tree keeps game.dat beside the program; an installed copy in <prefix>/share/tintrow,
// shared by every user, so each user's own files go to their data folder even when the shared
// folder could be written (by root).
TEST_F(FileStreams, AnInstalledCopyReadsItsDataFromShareAndWritesToTheUsersFolder)
{
    const std::string share = dir / "usr/share/tintrow";
    testfiles::writeFile(share + "/game.dat", Bytes{7});
    lang::host::setProgramFile(dir / "usr/bin/tintrow");
    EXPECT_EQ(programDirectory(), share);
    EXPECT_TRUE(lang::host::programIsInstalled());
    output("langid", {4});
    EXPECT_EQ(testfiles::readFile(standIn), Bytes{4});
    EXPECT_EQ(input("langid")->read(), 4);
    EXPECT_EQ(input("game.dat")->read(), 7);

    testfiles::writeFile(dir / "usr/bin/game.dat", Bytes{8}); // a build tree beside it wins
    EXPECT_EQ(programDirectory(), dir / "usr/bin");
    EXPECT_FALSE(lang::host::programIsInstalled());
}

TEST_F(FileStreams, DataFolderStandInForAnUnwritableProgramDirectory)
{
    testfiles::writeFile(dir / "prog/langid", Bytes{1});
    testfiles::writeFile(standIn, Bytes{2});
    EXPECT_EQ(input("langid")->read(), 2); // the stand-in is read before the program copy
    output("langid", {5});                 // writing the program copy retires the stand-in
    EXPECT_EQ(testfiles::readFile(dir / "prog/langid"), Bytes{5});
    EXPECT_EQ(input("langid")->read(), 5);
    // A program "directory" that is a plain file cannot be written even by root.
    testfiles::writeFile(dir / "blocked", Bytes{});
    lang::host::setProgramFile(dir / "blocked/tintrow");
    output("/langid", {3});
    EXPECT_EQ(testfiles::readFile(standIn), Bytes{3});
    EXPECT_EQ(input("/langid")->read(), 3);
}

TEST(HostPaths, JoiningAndTheDataBaseFromTheEnvironment)
{
    EXPECT_EQ(joinPath("/a", "b"), "/a/b");
    EXPECT_EQ(joinPath("/a/", "/b"), "/a/b");
    EXPECT_EQ(joinPath("/a", "//b/c"), "/a/b/c");
    EXPECT_EQ(toHostSeparators("x\\y\\z"), "x/y/z");
    const char* names[] = {"HOME", "TINTROW_HOME", "XDG_DATA_HOME"};
    std::vector<std::pair<std::string, bool>> saved;
    for (const char* name : names)
        saved.emplace_back(std::getenv(name) ? std::getenv(name) : "", std::getenv(name));
    ::setenv("TINTROW_HOME", "/t/home", 1);
    EXPECT_EQ(dataBase(), "/t/home");
    ::unsetenv("TINTROW_HOME");
    ::setenv("XDG_DATA_HOME", "/t/xdg", 1);
    EXPECT_EQ(dataBase(), "/t/xdg");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "/t/user", 1);
    EXPECT_EQ(dataBase(), "/t/user/.local/share");
    for (size_t i = 0; i < saved.size(); ++i)
        saved[i].second ? ::setenv(names[i], saved[i].first.c_str(), 1) : ::unsetenv(names[i]);
}

} // namespace
