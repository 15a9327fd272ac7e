// Strings from host text: UTF-8 in and out, malformed bytes, 8-bit text and Latin-1 bytes.
#include <gtest/gtest.h>

#include <string>

#include "lang/DString.h"
#include "support/Thrown.h"

using namespace vela::lang;
using Text = const char16_t*;

static DStringPtr S(const char16_t* text)
{
    return new DString(text);
}

static std::u16string units(const DStringPtr& s)
{
    return std::u16string(s->view());
}

TEST(StringConversion, Utf8RoundTripsAndMalformedBytesBecomeReplacements)
{
    const std::string text = "Gr\xc3\xbc\xc3\x9f \xe2\x82\xac \xf0\x9f\x8e\xb1";
    DStringPtr s = DString::fromUtf8(text);
    EXPECT_EQ(s->length(), 9); // the last character takes two units
    EXPECT_EQ(s->toUtf8(), text);
    for (auto [bytes, expected] : std::initializer_list<std::pair<const char*, Text>>{
             {"a\xff" "b", u"a\xFFFD" u"b"},
             {"\xc0\x80", u"\xFFFD\xFFFD"},             // overlong NUL
             {"\xe2\x82", u"\xFFFD\xFFFD"},             // cut short
             {"\xed\xa0\x80", u"\xFFFD\xFFFD\xFFFD"},   // a surrogate
             {"\xf8\x88\x80\x80\x80", u"\xFFFD\xFFFD\xFFFD\xFFFD\xFFFD"}})
        EXPECT_EQ(DString::fromUtf8(bytes)->view(), expected) << bytes;
    EXPECT_EQ(units(new DString("A\x80\xff")), u"A\xFF80\xFFFF") << "8-bit text widens as signed bytes";
    DbyteArrayPtr latin = S(u"A\xe9\x20ac")->getBytes();
    EXPECT_EQ((std::vector<int>{latin[0], uint8_t(latin[1]), latin[2]}), (std::vector<int>{'A', 0xE9, '?'}));
}

