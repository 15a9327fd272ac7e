// Command line and the two key translations of the shell.
#include "shell/CommandLine.h"
#include "shell/KeyTranslation.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, SizeNeedsNoFullScreenAndBothSides)
{
    const struct {
        std::vector<std::string> tokens;
        int width, height;
    } cases[] = {
        {{"/nofullscreen", "/width:240", "/height:320"}, 240, 320},
        {{"/nofullscreen", "/width=176", "/height=208"}, 176, 208},
        {{"/width:480", "/height:640", "/nofullscreen"}, 480, 640},
        {{"/width:480", "/height:640"}, 240, 320},
        {{"/nofullscreen", "/width:480"}, 240, 320},
        {{"/nofullscreen", "/width:0", "/height:100"}, 240, 320},
        {{"/nofullscreen", "/width:-5", "/height:100"}, 240, 320},
        {{"/nofullscreen", "/width", "/height"}, 240, 320},
        {{"/nofullscreenplease", "/widthX320", "/heightX200"}, 320, 200},
        {{}, 240, 320},
    };
    for (const auto& c : cases) {
        CommandLine line;
        std::string error;
        ASSERT_TRUE(parseCommandLine(c.tokens, line, error)) << error;
        EXPECT_EQ(line.width, c.width) << ::testing::PrintToString(c.tokens);
        EXPECT_EQ(line.height, c.height) << ::testing::PrintToString(c.tokens);
    }
}

TEST(CommandLine, HostOptions)
{
    CommandLine line;
    std::string error;
    ASSERT_TRUE(parseCommandLine({"/scale:3", "/smartphone", "/script:dir/play.txt", "/unknown"}, line, error));
    EXPECT_EQ(line.scale, 3);
    EXPECT_TRUE(line.smartphone);
    EXPECT_EQ(line.script, "dir/play.txt");
    CommandLine plain;
    ASSERT_TRUE(parseCommandLine({}, plain, error));
    EXPECT_EQ(plain.scale, 0);
    EXPECT_FALSE(plain.smartphone);
    EXPECT_TRUE(plain.script.empty());
}

TEST(CommandLine, UnusableValuesAreRefused)
{
    const std::vector<std::string> cases[] = {
        {"/nofullscreen", "/width:5000", "/height:100"},
        {"/nofullscreen", "/width:100", "/height:99999999999"},
        {"/scale:-2"},
        {"/scale:1000"},
        {"/script:"},
    };
    for (const auto& tokens : cases) {
        CommandLine line;
        std::string error;
        EXPECT_FALSE(parseCommandLine(tokens, line, error)) << ::testing::PrintToString(tokens);
        EXPECT_FALSE(error.empty());
    }
}

struct Translation {
    int hostKey;
    int pressed, repeated, released;
};

void expectTranslations(bool smartphone, const std::vector<Translation>& cases)
{
    for (const Translation& t : cases) {
        EXPECT_EQ(translateKey(smartphone, t.hostKey, KeyPhase::PRESSED), t.pressed) << std::hex << t.hostKey;
        EXPECT_EQ(translateKey(smartphone, t.hostKey, KeyPhase::REPEATED), t.repeated) << std::hex << t.hostKey;
        EXPECT_EQ(translateKey(smartphone, t.hostKey, KeyPhase::RELEASED), t.released) << std::hex << t.hostKey;
    }
}

TEST(KeyTranslation, PocketPc)
{
    expectTranslations(false, {
        {0x7C, NO_KEY, NO_KEY, NO_KEY}, {0x80, NO_KEY, NO_KEY, NO_KEY}, {0x87, NO_KEY, NO_KEY, NO_KEY},
        {0x5B, NO_KEY, NO_KEY, NO_KEY}, {0xC1, 10000, 10000, 10000}, {0xC2, 10004, 10004, 10004},
        {0xC3, 10003, 10003, 10003}, {0xC4, 10001, 10001, 10001}, {0x0D, 10002, 10002, 10002},
        {0x1B, 10001, 10001, 10001}, {0x70, 10000, 0x70, 0x70}, {0x71, 10001, 0x71, 0x71},
        {0x7B, 0x7B, 0x7B, 0x7B}, {0x88, 0x88, 0x88, 0x88}, {0x72, 0x72, 0x72, 0x72},
        {0x77, 0x77, 0x77, 0x77}, {'5', '5', '5', '5'}, {37, 37, 37, 37},
    });
}

TEST(KeyTranslation, Smartphone)
{
    expectTranslations(true, {
        {0x70, 10000, 10000, 10000}, {0x71, 10001, 10001, 10001}, {0x0D, 10002, 10002, 10002},
        {0x1B, 10001, 10001, 10001}, {0x77, 10004, 10004, 10004}, {0x78, 10003, 10003, 10003},
        {0x72, NO_KEY, NO_KEY, NO_KEY}, {0x73, NO_KEY, NO_KEY, NO_KEY}, {0x7C, 0x7C, 0x7C, 0x7C},
        {0x5B, 0x5B, 0x5B, 0x5B}, {0xC1, 0xC1, 0xC1, 0xC1}, {'9', '9', '9', '9'},
    });
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
    for (const KeyTableEntry& e : table) {
        EXPECT_EQ(e.reserved[0], 0);
        EXPECT_EQ(e.reserved[1], 0);
    }
}

} // namespace
