// String buffers: length changes that fail whole, and unit access.
#include <gtest/gtest.h>

#include <climits>
#include <new>

#include "lang/DString.h"
#include "lang/DStringBuffer.h"
#include "support/Thrown.h"

using namespace vela::lang;

static std::u16string content(const DStringBufferPtr& b)
{
    return std::u16string(b->toString()->view());
}

TEST(StringBuffer, LengthChangesTruncateExtendWithZerosOrFailWhole)
{
    DStringBufferPtr b = new DStringBuffer;
    b->append(u"abcdef");
    b->setLength(2);
    b->setLength(4);
    EXPECT_EQ(content(b), std::u16string(u"ab\0\0", 4));
    EXPECT_THROW(b->setLength(INT32_MAX), std::bad_alloc); // never a wrapped size
    EXPECT_THROWS_KIND(b->setLength(-1), StringIndexOutOfBoundsException);
    EXPECT_EQ(b->length(), 4);
    DStringPtr snapshot = b->toString();
    b->setCharAt(1, u'X');
    EXPECT_THROWS_KIND(b->setCharAt(4, u'Y'), StringIndexOutOfBoundsException);
    EXPECT_EQ(content(b), std::u16string(u"aX\0\0", 4));
    EXPECT_EQ(snapshot->charAt(1), u'b') << "toString copies";
}
