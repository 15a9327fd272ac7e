// Tests of DStringBuffer: growth rule, appends, length changes and unit access.
#include <gtest/gtest.h>

#include <climits>
#include <new>

#include "lang/DString.h"
#include "lang/DStringBuffer.h"
#include "lang/ThrownKind.h"

using namespace vela::lang;

static std::u16string content(const DStringBufferPtr& b)
{
    return std::u16string(b->toString()->view());
}

TEST(StringBufferGrowth, SixteenThenFortyOneThenEightyTwo)
{
    DStringBufferPtr b = new DStringBuffer;
    EXPECT_EQ(b->capacity(), 16);
    EXPECT_EQ(b->length(), 0);
    b->append(DStringPtr(new DString(std::u16string(40, u'x').c_str())));
    EXPECT_EQ(b->capacity(), 41);
    b->append(u'y');
    EXPECT_EQ(b->capacity(), 82);
    EXPECT_EQ(b->length(), 41);
}

TEST(StringBufferGrowth, FillingExactlyTheCapacityLeavesRoomForTheTerminator)
{
    DStringBufferPtr b = new DStringBuffer;
    b->append(u"123456789012345");
    EXPECT_EQ(b->capacity(), 16);
    b->append(u'6');
    EXPECT_EQ(b->capacity(), 32);
    EXPECT_EQ(b->getChars()[16], 0);
}

TEST(StringBufferAppend, FormsChainAndNull)
{
    DStringBufferPtr b = new DStringBuffer;
    DStringBufferPtr same = b->append(u"a")->append(DStringPtr(new DString(u"b")))->append(u'c');
    EXPECT_EQ(same.get(), b.get());
    b->append(DStringPtr());
    EXPECT_EQ(content(b), u"abcnull");
}

TEST(StringBufferAppend, OwnContentCanBeAppended)
{
    DStringBufferPtr b = new DStringBuffer;
    b->append(u"0123456789abcdef");
    b->append(b->getChars());
    EXPECT_EQ(content(b), u"0123456789abcdef0123456789abcdef");
}

TEST(StringBufferLength, SetLengthTruncatesClearsAndExtends)
{
    DStringBufferPtr b = new DStringBuffer;
    b->append(u"abcdef");
    b->setLength(2);
    EXPECT_EQ(content(b), u"ab");
    EXPECT_EQ(b->getChars()[2], 0);
    EXPECT_EQ(b->getChars()[5], 0);
    b->setLength(4);
    EXPECT_EQ(b->length(), 4);
    EXPECT_EQ(b->toString()->charAt(3), 0);
    b->setLength(40);
    EXPECT_EQ(b->capacity(), 41);
    EXPECT_THROWS_KIND(b->setLength(-1), StringIndexOutOfBoundsException);
    EXPECT_EQ(b->length(), 40);
}

TEST(StringBufferLength, LengthBeyondAnyBufferFailsAndKeepsTheContent)
{
    DStringBufferPtr b = new DStringBuffer;
    b->append(u"abc");
    EXPECT_THROW(b->setLength(INT32_MAX), std::bad_alloc);
    EXPECT_EQ(b->length(), 3);
    EXPECT_EQ(b->capacity(), 16);
    EXPECT_EQ(content(b), u"abc");
}

TEST(StringBufferUnits, SetCharAtBounds)
{
    DStringBufferPtr b = new DStringBuffer;
    b->append(u"abc");
    b->setCharAt(1, u'X');
    EXPECT_EQ(content(b), u"aXc");
    EXPECT_EQ(b->charAt(2), u'c');
    EXPECT_THROWS_KIND(b->setCharAt(3, u'Y'), StringIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(b->setCharAt(-1, u'Y'), StringIndexOutOfBoundsException);
    EXPECT_EQ(content(b), u"aXc");
}

TEST(StringBufferText, ToStringIsACopy)
{
    DStringBufferPtr b = new DStringBuffer;
    b->append(u"one");
    DStringPtr snapshot = b->toString();
    b->setCharAt(0, u'O');
    EXPECT_EQ(std::u16string(snapshot->view()), u"one");
}
