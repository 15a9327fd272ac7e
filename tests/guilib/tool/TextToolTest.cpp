// tintrow-tool text on the game's data: every language lays out within the width, bad input fails.
#include "support/Files.h"
#include "support/Process.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

support::RunResult tool(Args args)
{
    args.insert(args.begin(), TINTROW_TOOL);
    return support::run(args);
}

support::RunResult text(Args rest)
{
    rest.insert(rest.begin(), {"text", "--data", TINTROW_GAME_DAT});
    return tool(rest);
}

int jsonInt(const std::string& json, const std::string& name)
{
    std::smatch m;
    return std::regex_search(json, m, std::regex("\"" + name + "\":(-?[0-9]+)")) ? std::stoi(m[1])
                                                                                 : -1;
}

TEST(TextTool, EveryLanguageLaysOutItsHelpInsideTheWidth)
{
    std::smatch m;
    std::string languages = tool({"dat", "cat", TINTROW_GAME_DAT, "lang.dat"}).out;
    ASSERT_TRUE(std::regex_search(languages, m, std::regex("ID=([a-z;]+)")));
    std::string list = m[1];
    ASSERT_NE(list.find(';'), std::string::npos) << "at least two languages";
    const std::regex word("[a-z]+");
    for (std::sregex_iterator id(list.begin(), list.end(), word), end; id != end; ++id) {
        support::RunResult run = text({"--key", "HELP_STR", "--lang", id->str(), "--width", "220", "--json"});
        ASSERT_EQ(run.status, 0) << id->str();
        EXPECT_GT(jsonInt(run.out, "height"), 20) << id->str();
        EXPECT_LE(jsonInt(run.out, "maxLineWidth"), 220) << id->str();
        EXPECT_EQ(run.out.find("\"text\":\"HELP_STR\""), std::string::npos)
            << "translated in " << id->str();
    }
}

TEST(TextTool, BadInputFailsWithAMessage)
{
    const std::pair<Args, int> cases[] = {
        {{"--key", "HELP_STR", "--width", "220", "--json"}, 2},
        {{"--markup", "x", "--width", "nope", "--json"}, 2},
        {{"--markup", "x", "--width", "10"}, 2},
        {{"--key", "HELP_STR", "--lang", "xx", "--width", "220", "--json"}, 1},
        {{"--markup", "x", "--width", "220", "--screen", "1x1", "--json"}, 1},
        {{"--markup", "a <b", "--width", "220", "--json"}, 1},
    };
    for (const auto& [args, status] : cases)
        EXPECT_EQ(text(args).status, status) << args[1];
    EXPECT_EQ(tool({"text", "--data", "/nonexistent/game.dat", "--markup", "x", "--width", "9", "--json"}).status, 1);
}

} // namespace
