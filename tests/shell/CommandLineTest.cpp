// Command line options: unusable values and unknown options are refused.
#include "shell/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, HostOptionsAndUnusableValues)
{
    CommandLine line, plain;
    std::string error;
    ASSERT_TRUE(parseCommandLine({"/scale:3", "/smartphone", "/script:dir/play.txt"}, line, error));
    EXPECT_TRUE(line.scale == 3 && line.smartphone && line.script == "dir/play.txt");
    EXPECT_EQ(line.request, CommandLine::PLAY);
    ASSERT_TRUE(parseCommandLine({}, plain, error));
    EXPECT_TRUE(plain.scale == 0 && !plain.smartphone && plain.script.empty());
    EXPECT_EQ(std::make_pair(plain.width, plain.height), std::make_pair(240, 320));
    const std::vector<std::string> bad[] = {{"/nofullscreen", "/width:5000", "/height:100"},
                                            {"/nofullscreen", "/width:100", "/height:99999999999"},
                                            {"/scale:-2"}, {"/scale:1000"}, {"/script:"},
                                            {"/unknown"}, {"--helpme"}, {"-x"}, {"level1"}};
    for (const auto& tokens : bad) {
        EXPECT_FALSE(parseCommandLine(tokens, line, error)) << ::testing::PrintToString(tokens);
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(error, "unknown option 'level1' (see tintrow --help)");
}

} // namespace
