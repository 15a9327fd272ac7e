// Plain files in the program's folder: reading, the end of file, truncation and the data-folder
// stand-in of an unwritable program folder.
#include "io/DFileInputStream.h"
#include "io/DFileOutputStream.h"
#include "io/HostPaths.h"
#include "lang/DString.h"
#include "lang/HostHooks.h"
#include "support/Files.h"
#include "support/TempDir.h"
#include "support/Thrown.h"

#include <gtest/gtest.h>

using namespace vela;
using namespace vela::io;
using support::Bytes;
using support::readFile;
using support::writeFile;

namespace {

class FileStreams : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeFile(dir / "prog/sub/f", support::patternBytes(100, 1));
        lang::host::setProgramFile(dir / "prog/tintrow");
        setAppNameSource([] { return std::string("FileTest"); });
    }
    void TearDown() override
    {
        lang::host::setProgramFile("");
        setAppNameSource(nullptr);
    }
    static int firstByte(const char* name) { return DFileInputStreamPtr(new DFileInputStream(name16(name)))->read(); }
    static lang::DStringPtr name16(const char* name) { return lang::DString::fromUtf8(name); }
    static void output(const char* name, const Bytes& bytes)
    {
        DFileOutputStreamPtr out = new DFileOutputStream(name16(name));
        out->write(support::toArray(bytes), 0, int32_t(bytes.size()));
        out->close();
    }

    support::TempDir dir;
    const std::string standIn = support::home() + "/Vandrel/FileTest/files/langid";
};

TEST_F(FileStreams, ReadsWhateverTheSeparatorAndBadUsesThrow)
{
    for (const char* n : {"sub/f", "/sub/f", "\\sub\\f"})
        EXPECT_EQ(DFileInputStreamPtr(new DFileInputStream(name16(n)))->available(), 100) << n;
    DFileInputStreamPtr in = new DFileInputStream(name16("sub/f"));
    EXPECT_EQ(in->skip(1000), 100);
    EXPECT_THROWS_KIND(in->read(), lang::EOFException) << "unlike a block read, which answers -1";
    lang::DbyteArrayPtr b = new lang::DbyteArray(4);
    EXPECT_EQ(in->read(b, 0, 4), -1);
    EXPECT_THROWS_KIND(in->read(b, 1, 4), lang::IndexOutOfBoundsException);
    in->close();
    EXPECT_THROWS_KIND(in->read(), lang::IOException);
    EXPECT_THROWS_KIND(DFileInputStream(nullptr), lang::NullPointerException);
    EXPECT_THROWS_KIND(DFileInputStream(name16("missing")), lang::IOException);
    EXPECT_THROWS_KIND(DFileInputStream(name16("")), lang::IOException); // the folder itself
}

TEST_F(FileStreams, AnUnwritableProgramFolderKeepsItsFilesInTheDataFolder)
{
    writeFile(dir / "prog/langid", Bytes{1});
    writeFile(standIn, Bytes{2});
    EXPECT_EQ(firstByte("langid"), 2); // the stand-in is read before the program copy
    output("langid", {5});              // writing the program copy retires the stand-in
    EXPECT_EQ(readFile(dir / "prog/langid"), Bytes{5});
    EXPECT_EQ(firstByte("langid"), 5);
    // A program "folder" that is a plain file cannot be written even by root.
    writeFile(dir / "blocked", Bytes{});
    lang::host::setProgramFile(dir / "blocked/tintrow");
    output("/langid", {3});
    EXPECT_EQ(readFile(standIn), Bytes{3});
    EXPECT_EQ(firstByte("/langid"), 3);
}

// Until the close the old file stays whole: a crash or a full disk never leaves it emptied.
TEST_F(FileStreams, OutputReplacesAnExistingFileAtClose)
{
    writeFile(dir / "prog/out", support::patternBytes(50, 2));
    DFileOutputStreamPtr out = new DFileOutputStream(lang::DString::fromUtf8("/out"));
    out->write(0x41);
    out->write(support::toArray({0, 0x42, 0}), 1, 2);
    out->flush();
    EXPECT_EQ(readFile(dir / "prog/out"), support::patternBytes(50, 2));
    { DFileOutputStreamPtr dropped = new DFileOutputStream(lang::DString::fromUtf8("/out")); }
    EXPECT_EQ(readFile(dir / "prog/out"), support::patternBytes(50, 2));
    out->close();
    EXPECT_EQ(readFile(dir / "prog/out"), (Bytes{0x41, 0x42, 0}));
    EXPECT_THROWS_KIND(out->write(1), lang::IOException);
}

} // namespace
