// Tests of DString: construction, searches, comparisons, conversions and concatenation.
#include <gtest/gtest.h>

#include <string>

#include "lang/DInteger.h"
#include "lang/DString.h"
#include "lang/ThrownKind.h"

using namespace vela::lang;
using testing_support::Table;
using Text = const char16_t*;

static DStringPtr S(const char16_t* text)
{
    return new DString(text);
}

static std::u16string units(const DStringPtr& s)
{
    return std::u16string(s->view());
}

TEST(StringConstruction, EightBitWidensSignedCopiesAndNulls)
{
    EXPECT_EQ(units(new DString("A\x80\xff")), u"A\xFF80\xFFFF");
    DStringPtr original = S(u"copy me");
    DStringPtr copy = new DString(original);
    EXPECT_NE(copy.get(), original.get());
    EXPECT_TRUE(copy->equals(original));
    EXPECT_EQ(original->refCount(), 1);
    EXPECT_EQ(S(nullptr)->length(), 0);
    EXPECT_THROWS_KIND(DStringPtr(new DString(DStringPtr())), NullPointerException);
}

TEST(StringConstruction, Utf8RoundTripAndMalformedBytes)
{
    const std::string text = "Gr\xc3\xbc\xc3\x9f \xe2\x82\xac \xf0\x9f\x8e\xb1";
    DStringPtr s = DString::fromUtf8(text);
    EXPECT_EQ(s->length(), 9); // the last character takes two units
    EXPECT_EQ(s->toUtf8(), text);
    struct {
        const char* bytes;
        const char16_t* expected;
    } malformed[] = {
        { "a\xff" "b", u"a\xFFFD" u"b" },
        { "\xc0\x80", u"\xFFFD\xFFFD" }, // overlong NUL
        { "\xe2\x82", u"\xFFFD\xFFFD" }, // cut short
        { "\xed\xa0\x80", u"\xFFFD\xFFFD\xFFFD" }, // a surrogate
        { "\xf8\x88\x80\x80\x80", u"\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD" },
    };
    for (const auto& c : malformed)
        EXPECT_EQ(DString::fromUtf8(c.bytes)->view(), c.expected) << c.bytes;
}

TEST(StringAccess, CharAtAndSubstringBounds)
{
    DStringPtr s = S(u"hello");
    EXPECT_EQ(s->charAt(4), u'o');
    EXPECT_EQ(units(s->substring(1, 3)), u"el");
    EXPECT_EQ(units(s->substring(2, 2)), u"");
    EXPECT_EQ(units(s->substring(3)), u"lo");
    EXPECT_THROWS_KIND(s->charAt(5), StringIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(s->charAt(-1), StringIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(s->substring(3, 2), StringIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(s->substring(-1, 2), StringIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(s->substring(0, 6), StringIndexOutOfBoundsException);
}

TEST(StringSearch, UnitAndSubstringSearches)
{
    DStringPtr s = S(u"abcabc");
    for (auto [unit, from, expected] : Table<char16_t, int32_t, int32_t> {
             { u'b', 0, 1 }, { u'b', 2, 4 }, { u'b', -5, 1 }, { u'b', 100, -1 }, { u'b', 6, -1 },
             { u'z', 0, -1 } })
        EXPECT_EQ(s->indexOf(unit, from), expected) << from;
    EXPECT_EQ(s->indexOf(u'c'), 2);
    EXPECT_EQ(s->lastIndexOf(u'a'), 3);
    EXPECT_EQ(s->lastIndexOf(u'q'), -1);
    DStringPtr t = S(u"one two one");
    for (auto [target, from, expected] : Table<Text, int32_t, int32_t> {
             { u"one", 0, 0 }, { u"one", 1, 8 }, { u"one", -3, 0 }, { u"two", 5, -1 },
             { u"", 11, 11 }, { u"", 12, -1 }, { u"onex", 0, -1 } })
        EXPECT_EQ(t->indexOf(S(target), from), expected) << from;
}

TEST(StringCompare, PrefixesSuffixesOrderEqualsAndHash)
{
    DStringPtr s = S(u"snd/select");
    EXPECT_TRUE(s->startsWith(S(u"snd/")));
    EXPECT_FALSE(s->startsWith(S(u"snd/selected")));
    EXPECT_TRUE(s->endsWith(S(u"select")));
    EXPECT_FALSE(s->endsWith(S(u"xselect")));
    EXPECT_TRUE(s->startsWith(S(u"")));
    for (auto [left, right, expected] : Table<Text, Text, int32_t> {
             { u"a", u"z", -1 }, { u"z", u"a", 1 }, { u"abc", u"abc", 0 }, { u"ab", u"abc", -1 },
             { u"abc", u"ab", 1 }, { u"", u"", 0 }, { u"b", u"a\xffff", 1 } })
        EXPECT_EQ(S(left)->compareTo(S(right)), expected);
    EXPECT_TRUE(s->equals(S(u"snd/select")));
    EXPECT_FALSE(s->equals(DStringPtr()));
    EXPECT_FALSE(s->equals(DObjectPtr()));
    EXPECT_TRUE(s->equals(u"snd/select"));
    EXPECT_FALSE(s->equals(u"snd/selec"));
    // The virtual equals goes through the other object's text.
    EXPECT_TRUE(S(u"12")->equals(DObjectPtr(new DInteger(12))));
    EXPECT_FALSE(s->equals(DObjectPtr(new DInteger(12))));
    EXPECT_EQ(S(u"")->hashCode(), 0);
    EXPECT_EQ(S(u"ab")->hashCode(), 97 * 31 + 98);
    // Long text wraps in 32 bits: the well-known value for this sentence.
    EXPECT_EQ(S(u"The quick brown fox jumps over the lazy dog")->hashCode(), -609428141);
}

TEST(StringTransform, TrimCaseAndReplacement)
{
    DStringPtr same = S(u"abc"), empty = S(u"");
    EXPECT_EQ(same->trim().get(), same.get());
    EXPECT_EQ(empty->trim().get(), empty.get());
    EXPECT_EQ(units(S(u"   ")->trim()), u"");
    EXPECT_EQ(units(S(u"\t\n x y \r")->trim()), u"x y");
    EXPECT_EQ(units(S(u"MiXeD 12")->toLowerCase()), u"mixed 12");
    EXPECT_EQ(units(S(u"MiXeD 12")->toUpperCase()), u"MIXED 12");
    EXPECT_EQ(empty->replace(u'a', u'b').get(), empty.get());
    DStringPtr s = S(u"a\\b\\c");
    EXPECT_EQ(units(s->replace(u'\\', u'/')), u"a/b/c");
    EXPECT_EQ(units(s), u"a\\b\\c");
    struct {
        const char16_t *text, *target, *replacement, *expected;
    } cases[] = {
        { u"aXbXc", u"X", u"-", u"a-b-c" }, { u"XX", u"X", u"yy", u"yyyy" },
        { u"%1 of %1", u"%1", u"", u" of " }, { u"aaa", u"aa", u"b", u"ba" },
        { u"abc", u"abc", u"xyz", u"xyz" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(units(S(c.text)->replace(S(c.target), S(c.replacement))), c.expected);
    EXPECT_EQ(same->replace(S(u"q"), S(u"r")).get(), same.get());
    EXPECT_EQ(same->replace(S(u""), S(u"r")).get(), same.get());
}

TEST(StringConvert, GetBytesIsLatin1WithQuestionMarksAndIdentity)
{
    DbyteArrayPtr bytes = S(u"A\xe9\x20ac")->getBytes();
    ASSERT_EQ(bytes->length(), 3);
    EXPECT_EQ(bytes[0], 'A');
    EXPECT_EQ(static_cast<uint8_t>(bytes[1]), 0xE9);
    EXPECT_EQ(bytes[2], '?');
    EXPECT_EQ(S(u"")->getBytes()->length(), 0);
    DStringPtr s = S(u"me");
    EXPECT_EQ(s->toString().get(), s.get());
    EXPECT_STREQ(s->getClassName(), "DObject");
}

TEST(StringConcat, AllFormsAndNulls)
{
    DStringPtr a = S(u"ab"), none;
    EXPECT_EQ(units(a + S(u"cd")), u"abcd");
    EXPECT_EQ(units(a + u"!"), u"ab!");
    EXPECT_EQ(units(u"<" + a), u"<ab");
    EXPECT_EQ(units(DString::concat(u"x", u"y")), u"xy");
    EXPECT_EQ(units(a + -42), u"ab-42");
    EXPECT_EQ(units(none + a), u"nullab");
    EXPECT_EQ(units(a + none), u"abnull");
    EXPECT_EQ(units(a + static_cast<const char16_t*>(nullptr)), u"abnull");
    EXPECT_EQ(units(DString::concat(nullptr, nullptr)), u"nullnull");
    EXPECT_EQ(units(none + 7), u"null7");
}
