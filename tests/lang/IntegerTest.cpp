// Tests of DInteger: boxing, formatting in each radix and decimal parsing.
#include <gtest/gtest.h>

#include <climits>

#include "lang/DInteger.h"
#include "lang/DString.h"
#include "lang/ThrownKind.h"

using namespace vela::lang;

TEST(IntegerFormat, RadixTable)
{
    struct {
        int32_t value, radix;
        const char16_t* expected;
    } cases[] = {
        { 0, 10, u"0" }, { -255, 10, u"-255" }, { INT_MIN, 10, u"-2147483648" },
        { 255, 16, u"ff" }, { -255, 16, u"-ff" }, { INT_MIN, 16, u"-80000000" },
        { INT_MAX, 16, u"7fffffff" }, { -255, 8, u"" }, { 5, 2, u"" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::u16string(DInteger::toString(c.value, c.radix)->view()), c.expected)
            << c.value << " radix " << c.radix;
    EXPECT_EQ(std::u16string(DInteger::toString(-7)->view()), u"-7");
}

TEST(IntegerParse, ScanningRulesAndTextsWithoutDigits)
{
    struct {
        const char16_t* text;
        int32_t expected;
    } cases[] = {
        { u"12abc", 12 }, { u"  42", 42 }, { u"\t-17 ", -17 }, { u"+5", 5 }, { u"007", 7 },
        { u"2147483647", INT_MAX }, { u"-2147483648", INT_MIN }, { u"3 4", 3 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(DInteger::parseInt(new DString(c.text)), c.expected);
    for (const char16_t* text : { u"", u"abc", u"-", u"+ 1", u"   ", u"x12" })
        EXPECT_THROWS_KIND(DInteger::parseInt(new DString(text)), NumberFormatException);
    EXPECT_THROWS_KIND(DInteger::parseInt(DStringPtr()), NullPointerException);
}

TEST(IntegerObject, ValueHashEqualsAndName)
{
    DIntegerPtr seven = new DInteger(7);
    EXPECT_STREQ(seven->getClassName(), "DInteger");
    EXPECT_EQ(seven->hashCode(), 7);
    EXPECT_EQ(std::u16string(seven->toString()->view()), u"7");
    EXPECT_TRUE(seven->equals(new DInteger(7)));
    EXPECT_FALSE(seven->equals(new DInteger(8)));
    EXPECT_FALSE(seven->equals(new DString(u"7")));
    EXPECT_THROWS_KIND(seven->equals(nullptr), NullPointerException);
}
