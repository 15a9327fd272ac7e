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
    int status = -1;
    std::string out;
};

ToolRun tool(const std::string& args)
{
    ToolRun run;
    FILE* pipe = popen((std::string(TINTROW_TOOL) + " " + args + " 2>/dev/null").c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        run.out.append(buffer, n);
    int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

ToolRun text(const std::string& rest)
{
    return tool(std::string("text --data ") + TINTROW_GAME_DAT + " " + rest);
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
    std::string languages = tool(std::string("dat cat ") + TINTROW_GAME_DAT + " lang.dat").out;
    ASSERT_TRUE(std::regex_search(languages, m, std::regex("ID=([a-z;]+)")));
    std::string list = m[1];
    ASSERT_NE(list.find(';'), std::string::npos) << "at least two languages";
    const std::regex word("[a-z]+");
    for (std::sregex_iterator id(list.begin(), list.end(), word), end; id != end; ++id) {
        ToolRun run = text("--key HELP_STR --lang " + id->str() + " --width 220 --json");
        ASSERT_EQ(run.status, 0) << id->str();
        EXPECT_GT(jsonInt(run.out, "height"), 20) << id->str();
        EXPECT_LE(jsonInt(run.out, "maxLineWidth"), 220) << id->str();
        EXPECT_EQ(run.out.find("\"text\":\"HELP_STR\""), std::string::npos)
            << "translated in " << id->str();
    }
}

TEST(TextTool, StartupTokensResolveAsInTheGame)
{
    ToolRun run = text("--key ABOUT_INFO --lang en --width 220 --json");
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("{\"type\":5,"), std::string::npos) << "the logo picture";
    EXPECT_NE(run.out.find("\"text\":\"v1.1\""), std::string::npos);
    EXPECT_EQ(run.out.find("%VERSION%"), std::string::npos);
}

TEST(TextTool, MarkupAlignmentAndFontOptionsShapeTheLayout)
{
    ToolRun left = text("--markup \"Yes No\" --width 200 --json");
    ToolRun right = text("--markup \"Yes No\" --width 200 --align 1 --font 2 --json");
    ToolRun lines = text("--markup \"$(printf 'Yes\\nNo')\" --width 200 --newlines --json");
    ASSERT_EQ(left.status + right.status + lines.status, 0);
    EXPECT_EQ(jsonInt(left.out, "x"), 0);
    EXPECT_GT(jsonInt(right.out, "x"), 100);
    EXPECT_NE(lines.out.find("\"y\":" + std::to_string(jsonInt(lines.out, "h"))), std::string::npos)
        << "the second word starts the second line";
}

TEST(TextTool, PicturesHaveTheLayoutSize)
{
    std::string path = ::testing::TempDir() + "text-tool.png";
    ASSERT_EQ(
        text("--key EXIT_GAME --lang de --width 180 --height 90 --align 10 --out " + path).status,
        0);
    std::ifstream png(path, std::ios::binary);
    unsigned char head[24] = {};
    png.read(reinterpret_cast<char*>(head), 24);
    ASSERT_TRUE(png.good());
    EXPECT_EQ(head[1], 'P');
    EXPECT_EQ((head[16] << 24 | head[17] << 16 | head[18] << 8 | head[19]), 180);
    EXPECT_EQ((head[20] << 24 | head[21] << 16 | head[22] << 8 | head[23]), 90);
    std::remove(path.c_str());
}

TEST(TextTool, BadInputFailsWithAMessage)
{
    const std::pair<const char*, int> cases[] = {
        { "--key HELP_STR --width 220 --json", 2 },
        { "--markup x --width nope --json", 2 },
        { "--markup x --width 10", 2 },
        { "--key HELP_STR --lang xx --width 220 --json", 1 },
        { "--markup x --width 220 --screen 1x1 --json", 1 },
        { "--markup \"a <b\" --width 220 --json", 1 },
    };
    for (const auto& [args, status] : cases)
        EXPECT_EQ(text(args).status, status) << args;
    EXPECT_EQ(tool("text --data /nonexistent/game.dat --markup x --width 9 --json").status, 1);
}

} // namespace
