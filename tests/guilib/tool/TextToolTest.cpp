// tintrow-tool text on the game's data: every language lays out, tokens resolve, bad input fails.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

struct ToolRun {
    int status;
    std::string out;
};

ToolRun tool(const std::string& args)
{
    std::string command = std::string(TINTROW_TOOL) + " " + args + " 2>/dev/null";
    ToolRun run{ -1, "" };
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string textArgs(const std::string& rest)
{
    return std::string("text --data ") + TINTROW_GAME_DAT + " " + rest;
}

std::vector<std::string> languageIds()
{
    ToolRun run = tool(std::string("dat cat ") + TINTROW_GAME_DAT + " lang.dat");
    std::smatch m;
    std::vector<std::string> ids;
    if (std::regex_search(run.out, m, std::regex("ID=([a-z;]+)"))) {
        std::string list = m[1];
        for (size_t start = 0, end; start <= list.size(); start = end + 1) {
            end = list.find(';', start);
            if (end == std::string::npos)
                end = list.size();
            ids.push_back(list.substr(start, end - start));
        }
    }
    return ids;
}

int jsonInt(const std::string& json, const std::string& name)
{
    std::smatch m;
    if (!std::regex_search(json, m, std::regex("\"" + name + "\":(-?[0-9]+)")))
        return -1;
    return std::stoi(m[1]);
}

TEST(TextTool, EveryLanguageLaysOutItsLongTextsInsideTheWidth)
{
    std::vector<std::string> ids = languageIds();
    ASSERT_GE(ids.size(), 2u);
    for (const std::string& id : ids)
        for (const char* key : { "HELP_STR" }) {
            ToolRun run = tool(textArgs(std::string("--key ") + key + " --lang " + id
                                    + " --width 220 --json"));
            ASSERT_EQ(run.status, 0) << key << " " << id;
            EXPECT_GT(jsonInt(run.out, "height"), 20) << key << " " << id;
            EXPECT_LE(jsonInt(run.out, "maxLineWidth"), 220) << key << " " << id;
            EXPECT_EQ(run.out.find("\"text\":\"" + std::string(key) + "\""), std::string::npos)
                << key << " is translated in " << id;
        }
}

TEST(TextTool, StartupTokensResolveAsInTheGame)
{
    ToolRun run = tool(textArgs("--key ABOUT_INFO --lang en --width 220 --json"));
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("{\"type\":5,"), std::string::npos) << "the logo picture";
    EXPECT_NE(run.out.find("\"text\":\"v1.1\""), std::string::npos);
    EXPECT_EQ(run.out.find("%VERSION%"), std::string::npos);
}

TEST(TextTool, MarkupAlignmentAndFontOptionsShapeTheLayout)
{
    ToolRun left = tool(textArgs("--markup \"Yes No\" --width 200 --json"));
    ToolRun right = tool(textArgs("--markup \"Yes No\" --width 200 --align 1 --font 2 --json"));
    ASSERT_EQ(left.status, 0);
    ASSERT_EQ(right.status, 0);
    EXPECT_EQ(jsonInt(left.out, "x"), 0);
    EXPECT_GT(jsonInt(right.out, "x"), 100);
    ToolRun lines = tool(textArgs("--markup \"$(printf 'Yes\\nNo')\" --width 200 --newlines --json"));
    ASSERT_EQ(lines.status, 0);
    EXPECT_NE(lines.out.find("\"y\":" + std::to_string(jsonInt(lines.out, "h"))),
              std::string::npos) << "the second word starts the second line";
}

TEST(TextTool, PicturesHaveTheLayoutSize)
{
    std::string path = ::testing::TempDir() + "text-tool.png";
    ToolRun run = tool(textArgs("--key EXIT_GAME --lang de --width 180 --height 90 --align 10 --out "
                            + path));
    ASSERT_EQ(run.status, 0);
    std::ifstream png(path, std::ios::binary);
    std::vector<unsigned char> head(24);
    png.read(reinterpret_cast<char*>(head.data()), 24);
    ASSERT_TRUE(png.good());
    EXPECT_EQ(head[1], 'P');
    EXPECT_EQ((head[16] << 24 | head[17] << 16 | head[18] << 8 | head[19]), 180);
    EXPECT_EQ((head[20] << 24 | head[21] << 16 | head[22] << 8 | head[23]), 90);
    std::remove(path.c_str());
}

TEST(TextTool, BadInputFailsWithAMessage)
{
    EXPECT_EQ(tool(textArgs("--key HELP_STR --width 220 --json")).status, 2);
    EXPECT_EQ(tool(textArgs("--markup x --width nope --json")).status, 2);
    EXPECT_EQ(tool(textArgs("--markup x --width 10")).status, 2);
    EXPECT_EQ(tool(textArgs("--key HELP_STR --lang xx --width 220 --json")).status, 1);
    EXPECT_EQ(tool(textArgs("--markup x --width 220 --screen 1x1 --json")).status, 1);
    EXPECT_EQ(tool(textArgs("--markup \"a <b\" --width 220 --json")).status, 1);
    EXPECT_EQ(tool("text --data /nonexistent/game.dat --markup x --width 9 --json").status, 1);
}

} // namespace
