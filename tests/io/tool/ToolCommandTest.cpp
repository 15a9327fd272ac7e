// tintrow-tool dat and store, run as a separate process against 7-Zip archives and temporary stores.
#include "io/TestFiles.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

using testfiles::Bytes;
using testfiles::RunResult;
using testfiles::TempDir;
using Args = std::vector<std::string>;

namespace {

RunResult tool(Args args, const std::string& input = "", const Args& env = {})
{
    args.insert(args.begin(), TINTROW_TOOL);
    return testfiles::run(args, input, env);
}

// What 7-Zip itself lists, folders left out, in archive order.
std::string sevenZipListing(const std::string& archive)
{
    RunResult r = testfiles::run({"7zz", "l", "-slt", archive});
    std::istringstream lines(r.out.substr(r.out.find("----------")));
    std::string line, path, listing;
    while (std::getline(lines, line)) {
        if (line.rfind("Path = ", 0) == 0)
            path = line.substr(7);
        else if (line.rfind("Attributes = ", 0) == 0 && line.find('D', 13) != 13)
            listing += path + "\n";
    }
    return listing;
}

// A failure: exit 1, nothing on standard output, one line on standard error naming the kind.
void expectFailure(const RunResult& r, const std::string& kind, const std::string& what)
{
    EXPECT_EQ(r.status, 1) << what;
    EXPECT_TRUE(r.out.empty() && std::count(r.err.begin(), r.err.end(), '\n') == 1 &&
                r.err.find(kind) != std::string::npos)
        << what << ": " << r.err;
}

class DatCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 40; ++i)
            testfiles::writeFile(dir / ("src/d" + std::to_string(i % 3) + "/n/f" + std::to_string(i)),
                                 testfiles::patternBytes(size_t(i * 101), uint32_t(i)));
        testfiles::writeFile(dir / "src/empty", Bytes{});
        testfiles::writeFile(dir / "src/zero.bin", Bytes{0, 0, 10, 0});
        testfiles::make7z(archive, dir / "src", {"-ms=on"});
    }

    TempDir dir;
    std::string archive = dir / "res.7z";
};

TEST_F(DatCommand, LsListsWhat7ZipListsAndCatWritesTheExactBytes)
{
    RunResult r = tool({"dat", "ls", archive});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, sevenZipListing(archive));
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 42);
    Bytes expected = testfiles::readFile(dir / "src/d1/n/f7");
    for (const char* name : {"d1/n/f7", "/d1/n/f7", "d1\\n\\f7"}) {
        r = tool({"dat", "cat", archive, name});
        EXPECT_EQ(r.status, 0) << name << r.err;
        EXPECT_EQ(r.out, std::string(expected.begin(), expected.end())) << name;
    }
    EXPECT_EQ(tool({"dat", "cat", archive, "zero.bin"}).out, std::string("\0\0\n\0", 4));
    EXPECT_EQ(tool({"dat", "cat", archive, "empty"}).out, "");
}

TEST_F(DatCommand, FailuresNameTheKindOnOneLine)
{
    Bytes whole = testfiles::readFile(archive);
    testfiles::writeFile(dir / "cut.7z", Bytes(whole.begin(), whole.begin() + 40));
    const Args failing[] = {
        {"dat", "ls", dir / "missing.7z"}, {"dat", "ls", dir / "src/zero.bin"},
        {"dat", "ls", dir / "cut.7z"}, {"dat", "cat", archive, "no/such/member"},
        {"dat", "cat", archive, "d1"},
    };
    for (const auto& args : failing)
        expectFailure(tool(args), "IOException", args.back());
}

TEST(ToolUsage, WrongArgumentsExitWithTwo)
{
    const Args usages[] = {
        {}, {"nonsense"}, {"dat"}, {"dat", "ls"}, {"dat", "cat", "a.7z"}, {"dat", "rm", "a.7z", "x"},
        {"store"}, {"store", "add"}, {"store", "get", "s"}, {"store", "get", "s", "abc"},
        {"store", "set", "s", "99999999999"}, {"store", "count", "s", "1"}, {"store", "drop", "s"},
    };
    for (const auto& args : usages) {
        RunResult r = tool(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "(none)" : args.back());
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(r.err.empty());
    }
}

class StoreCommand : public ::testing::Test {
protected:
    RunResult store(Args args, const std::string& input = "")
    {
        args.insert(args.begin(), "store");
        return tool(args, input, {"TINTROW_HOME=" + home.path()});
    }

    TempDir home;
};

TEST_F(StoreCommand, RecordsRoundTripAsTheGameKeepsThem)
{
    const std::string binary("a\0b\xff\n", 5);
    EXPECT_EQ(store({"add", "hs"}, binary).out, "1\n");
    EXPECT_EQ(store({"add", "hs"}, "second").out, "2\n");
    Bytes file = testfiles::readFile(home / "Vandrel/Tintrow/hs/1");
    EXPECT_EQ(std::string(file.begin(), file.end()), binary);
    EXPECT_EQ(store({"get", "hs", "1"}).out, binary);
    EXPECT_EQ(store({"set", "hs", "2"}, "").status, 0);
    EXPECT_EQ(store({"get", "hs", "2"}).out, "");
    EXPECT_EQ(store({"count", "hs"}).out, "2\n");
    EXPECT_EQ(store({"next", "hs"}).out, "3\n");
    EXPECT_EQ(store({"delete", "hs"}).status, 0);
    EXPECT_FALSE(testfiles::exists(home / "Vandrel/Tintrow/hs"));
}

TEST_F(StoreCommand, FailuresNameTheKindOnOneLine)
{
    store({"add", "cfg"}, "x");
    const struct {
        Args args;
        const char* kind;
    } cases[] = {
        {{"set", "cfg", "7"}, "InvalidRecordIDException"},
        {{"get", "cfg", "7"}, "RecordStoreException"},
        {{"count", "missing"}, "RecordStoreNotFoundException"},
        {{"next", "missing"}, "RecordStoreNotFoundException"},
        {{"get", "missing", "1"}, "RecordStoreNotFoundException"},
        {{"delete", "missing"}, "RecordStoreNotFoundException"},
        {{"add", "../outside"}, "RecordStoreException"},
    };
    for (const auto& c : cases)
        expectFailure(store(c.args, "data"), c.kind, c.args[0] + " " + c.args[1]);
    EXPECT_FALSE(testfiles::exists(home / "Vandrel/outside"));
    EXPECT_EQ(store({"count", "cfg"}).out, "1\n");
}

} // namespace
