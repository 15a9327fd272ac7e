// Tests of DInteger: boxing, formatting in each radix and decimal parsing.
#include <gtest/gtest.h>

#include <climits>

#include "lang/DInteger.h"
#include "lang/DString.h"
#include "lang/ThrownKind.h"

using namespace vela::lang;
using testing_support::Table;

TEST(IntegerFormat, RadixTable)
{
    for (auto [value, radix, expected] : Table<int32_t, int32_t, const char16_t*> {
             { 0, 10, u"0" }, { -255, 10, u"-255" }, { INT_MIN, 10, u"-2147483648" },
             { 255, 16, u"ff" }, { -255, 16, u"-ff" }, { INT_MIN, 16, u"-80000000" },
             { INT_MAX, 16, u"7fffffff" }, { -255, 8, u"" }, { 5, 2, u"" } })
        EXPECT_EQ(std::u16string(DInteger::toString(value, radix)->view()), expected)
            << value << " radix " << radix;
    EXPECT_EQ(std::u16string(DInteger::toString(-7)->view()), u"-7");
}

TEST(IntegerParse, ScanningRulesAndTextsWithoutDigits)
{
    for (auto [text, expected] : Table<const char16_t*, int32_t> {
             { u"12abc", 12 }, { u"  42", 42 }, { u"\t-17 ", -17 }, { u"+5", 5 }, { u"007", 7 },
             { u"2147483647", INT_MAX }, { u"-2147483648", INT_MIN }, { u"3 4", 3 } })
        EXPECT_EQ(DInteger::parseInt(new DString(text)), expected);
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
