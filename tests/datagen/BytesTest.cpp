// Modified UTF-8 and the stream string form the game's data files are read with.
#include "Bytes.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace datagen;

TEST(ModifiedUtf8, EncodesEachCharacterAsTheGameReadsIt)
{
    struct Case {
        const char* utf8;
        Bytes expected;
    };
    const Case cases[] = {
        {"A", {0x41}},
        {"\xC3\xA9", {0xC3, 0xA9}},                                   // é
        {"\xD0\x96", {0xD0, 0x96}},                                   // Ж
        {"\xE2\x82\xAC", {0xE2, 0x82, 0xAC}},                         // €
        {"\xF0\x9F\x99\x82", {0xED, 0xA0, 0xBD, 0xED, 0xB9, 0x82}},   // beyond 16 bits: two surrogates
    };
    for (const Case& c : cases)
        EXPECT_EQ(modifiedUtf8(c.utf8), c.expected) << c.utf8;
    EXPECT_EQ(modifiedUtf8(std::string("a\0b", 3)), (Bytes{0x61, 0xC0, 0x80, 0x62}));
}

TEST(ModifiedUtf8, RejectsMalformedText)
{
    for (const char* bad : {"\xC3", "\x80", "\xE2\x82", "\xFF", "a\xC3(b"})
        EXPECT_THROW(decodeUtf8(bad), std::runtime_error) << bad;
}

TEST(ByteWriter, WritesBigEndianAndLengthPrefixedText)
{
    ByteWriter w;
    w.u16(0x1234);
    w.u32(-2);
    w.utf("\xC3\xA9t\xC3\xA9");
    EXPECT_EQ(w.data(), (Bytes{0x12, 0x34, 0xFF, 0xFF, 0xFF, 0xFE, 0x00, 0x05, 0xC3, 0xA9, 't', 0xC3, 0xA9}));
}

TEST(ByteWriter, RefusesTextLongerThanItsLengthField)
{
    ByteWriter w;
    EXPECT_NO_THROW(w.utf(std::string(65535, 'x')));
    EXPECT_THROW(w.utf(std::string(65536, 'x')), std::runtime_error);
    EXPECT_THROW(w.utf(std::string(32768, '\0')), std::runtime_error);  // two bytes per NUL
}
