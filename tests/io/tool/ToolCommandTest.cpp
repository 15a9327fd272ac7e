// tintrow-tool dat, run as a separate process against archives 7-Zip made and lists.
#include "support/Files.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

using support::RunResult;
using Args = std::vector<std::string>;

namespace {

RunResult tool(Args args, const std::string& input = "")
{
    args.insert(args.begin(), TINTROW_TOOL);
    return support::run(args, input);
}

// What 7-Zip itself lists, folders left out, in archive order.
std::string sevenZipListing(const std::string& archive)
{
    RunResult r = support::run({"7zz", "l", "-slt", archive});
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

TEST(DatCommand, ListsWhat7ZipListsCatsExactBytesAndNamesEachFailure)
{
    support::TempDir dir;
    std::map<std::string, std::string> members = {{"empty", ""}, {"zero.bin", std::string("\0\0\n\0", 4)}};
    for (int i = 0; i < 40; ++i) {
        support::Bytes bytes = support::patternBytes(size_t(i * 101), uint32_t(i));
        members["d" + std::to_string(i % 3) + "/n/f" + std::to_string(i)] = std::string(bytes.begin(), bytes.end());
    }
    const std::string archive = dir / "res.7z";
    support::pack7z(archive, members, {"-ms=on"});
    RunResult r = tool({"dat", "ls", archive});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, sevenZipListing(archive));
    for (const char* name : {"d1/n/f7", "\\d1\\n\\f7", "zero.bin", "empty"})
        EXPECT_EQ(tool({"dat", "cat", archive, name}).out, members[name[0] == '\\' ? "d1/n/f7" : name]) << name;
    support::Bytes whole = support::readFile(archive);
    support::writeFile(dir / "cut.7z", support::Bytes(whole.begin(), whole.begin() + 40));
    for (const Args& args : {Args{"dat", "ls", dir / "missing.7z"}, Args{"dat", "ls", dir / "cut.7z"},
                             Args{"dat", "cat", archive, "no/such/member"}, Args{"dat", "cat", archive, "d1"}})
        expectFailure(tool(args), "IOException", args.back());
}

} // namespace
