// Command line and the two key translations of the shell.
#include "shell/CommandLine.h"
#include "shell/KeyTranslation.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, SizeNeedsNoFullScreenAndBothSides)
{
    const struct { std::vector<std::string> tokens; int width, height; } cases[] = {
        {{"/nofullscreen", "/width:240", "/height:320"}, 240, 320},
        {{"/nofullscreen", "/width=176", "/height=208"}, 176, 208},
        {{"/width:480", "/height:640", "/nofullscreen"}, 480, 640},
        {{"/width:480", "/height:640"}, 240, 320},
        {{"/nofullscreen", "/width:480"}, 240, 320},
        {{"/nofullscreen", "/width:0", "/height:100"}, 240, 320},
        {{"/nofullscreen", "/width:-5", "/height:100"}, 240, 320},
        {{"/nofullscreen", "/width", "/height"}, 240, 320},
        {{"/nofullscreenplease", "/widthX320", "/heightX200"}, 320, 200},
    };
    for (const auto& c : cases) {
        CommandLine line;
        std::string error;
        ASSERT_TRUE(parseCommandLine(c.tokens, line, error)) << error;
        EXPECT_EQ(std::make_pair(line.width, line.height), std::make_pair(c.width, c.height))
            << ::testing::PrintToString(c.tokens);
    }
}

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
    for (auto [token, request] : {std::pair{"--help", CommandLine::HELP}, {"-h", CommandLine::HELP},
                                  {"--version", CommandLine::VERSION}}) {
        ASSERT_TRUE(parseCommandLine({"/scale:2", token}, line, error)) << token;
        EXPECT_EQ(line.request, request) << token;
    }
}

TEST(KeyTranslation, BothPlatforms)
{
    const int X = NO_KEY;
    const struct { bool smartphone; int hostKey, key; } cases[] = {
        {false, 0x7C, X},     {false, 0x80, X},     {false, 0x87, X},     {false, 0x5B, X},
        {false, 0xC1, 10000}, {false, 0xC2, 10004}, {false, 0xC3, 10003}, {false, 0xC4, 10001},
        {false, 0x0D, 10002}, {false, 0x1B, 10001}, {false, 0x70, 10000}, {false, 0x71, 10001},
        {false, 0x7B, 0x7B},  {false, 0x88, 0x88},  {false, 0x72, 0x72},  {false, '5', '5'},
        {true, 0x70, 10000},  {true, 0x71, 10001},  {true, 0x0D, 10002},  {true, 0x1B, 10001},
        {true, 0x77, 10004},  {true, 0x78, 10003},  {true, 0x72, X},      {true, 0x73, X},
        {true, 0x7C, 0x7C},   {true, 0x5B, 0x5B},   {true, 0xC1, 0xC1},   {true, '9', '9'},
    };
    for (const auto& t : cases)
        EXPECT_EQ(translateKey(t.smartphone, t.hostKey), t.key)
            << (t.smartphone ? "smartphone " : "pocket pc ") << std::hex << t.hostKey;
}

TEST(KeyTable, TakesTheFirstTwentyFourKeysOfThePlatform)
{
    KeyTableEntry table[KEY_TABLE_SIZE];
    fillKeyTable(false, table);
    EXPECT_EQ(table[0].hostKey, 0xC3);
    EXPECT_EQ(table[9].hostKey, 0x62);
    EXPECT_EQ(table[10].hostKey, 0x62);
    EXPECT_EQ(table[23].hostKey, 0x38) << "the digit 9 has no slot";
    fillKeyTable(true, table);
    EXPECT_EQ(table[0].hostKey, 0x78);
    EXPECT_EQ(table[3].hostKey, 0x1B);
    EXPECT_EQ(table[15].hostKey, 0x30);
    EXPECT_EQ(table[23].hostKey, 0x38);
    for (const KeyTableEntry& e : table)
        EXPECT_EQ(e.reserved[0] | e.reserved[1], 0);
}

} // namespace
