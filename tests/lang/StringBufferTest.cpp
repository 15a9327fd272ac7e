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
    b->append(DStringPtr(new DString(std::u16string(40, u'x').c_str())));
    EXPECT_EQ(b->capacity(), 41);
    b->append(u'y');
    EXPECT_EQ(b->capacity(), 82);
    EXPECT_EQ(b->length(), 41);
    // Filling exactly the capacity still leaves room for the terminator.
    DStringBufferPtr full = new DStringBuffer;
    full->append(u"123456789012345")->append(u'6');
    EXPECT_EQ(full->capacity(), 32);
    EXPECT_EQ(full->getChars()[16], 0);
}

TEST(StringBufferAppend, FormsChainNullAndOwnContent)
{
    DStringBufferPtr b = new DStringBuffer;
    DStringBufferPtr same = b->append(u"a")->append(DStringPtr(new DString(u"b")))->append(u'c');
    EXPECT_EQ(same.get(), b.get());
    b->append(DStringPtr());
    EXPECT_EQ(content(b), u"abcnull");
    b->append(u"012345678");
    b->append(b->getChars()); // reallocates while reading its own units
    EXPECT_EQ(content(b), u"abcnull012345678abcnull012345678");
}

TEST(StringBufferLength, SetLengthTruncatesClearsExtendsAndFailsWhole)
{
    DStringBufferPtr b = new DStringBuffer;
    b->append(u"abcdef");
    b->setLength(2);
    EXPECT_EQ(content(b), u"ab");
    EXPECT_EQ(b->getChars()[5], 0);
    b->setLength(4);
    EXPECT_EQ(b->toString()->charAt(3), 0);
    EXPECT_THROW(b->setLength(INT32_MAX), std::bad_alloc);
    EXPECT_EQ(b->capacity(), 16);
    EXPECT_EQ(content(b), std::u16string(u"ab\0\0", 4));
    b->setLength(40);
    EXPECT_EQ(b->capacity(), 41);
    EXPECT_THROWS_KIND(b->setLength(-1), StringIndexOutOfBoundsException);
    EXPECT_EQ(b->length(), 40);
}

TEST(StringBufferUnits, SetCharAtBoundsAndToStringIsACopy)
{
    DStringBufferPtr b = new DStringBuffer;
    b->append(u"abc");
    DStringPtr snapshot = b->toString();
    b->setCharAt(1, u'X');
    EXPECT_EQ(content(b), u"aXc");
    EXPECT_EQ(b->charAt(2), u'c');
    EXPECT_THROWS_KIND(b->setCharAt(3, u'Y'), StringIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(b->setCharAt(-1, u'Y'), StringIndexOutOfBoundsException);
    EXPECT_EQ(content(b), u"aXc");
    EXPECT_EQ(std::u16string(snapshot->view()), u"abc");
}
