// In-memory streams: growth of the output buffer, reads at the end, skips, closes and index errors.
#include "io/DByteArrayInputStream.h"
#include "io/DByteArrayOutputStream.h"
#include "io/DDataOutputStream.h"
#include "io/DPrintStream.h"
#include "lang/DString.h"
#include "lang/ThrownKind.h"

#include <gtest/gtest.h>

using namespace vela;
using namespace vela::io;

namespace {

lang::DbyteArrayPtr bytes(std::initializer_list<int> values)
{
    lang::DbyteArrayPtr a = new lang::DbyteArray(int32_t(values.size()));
    int32_t i = 0;
    for (int v : values)
        (*a)[i++] = int8_t(v);
    return a;
}

TEST(ByteArrayOutput, GrowsBy64WhenASingleByteDoesNotFit)
{
    DByteArrayOutputStreamPtr out = new DByteArrayOutputStream();
    EXPECT_EQ(out->capacity(), 64);
    for (int i = 0; i < 64; ++i)
        out->write(i);
    EXPECT_EQ(out->capacity(), 64);
    out->write(64);
    EXPECT_EQ(out->capacity(), 128);
    lang::DbyteArrayPtr copy = out->toByteArray();
    ASSERT_EQ(copy->length(), 65);
    for (int i = 0; i < 65; ++i)
        EXPECT_EQ((*copy)[i], i);
}

TEST(ByteArrayOutput, BlockWriteGrowsToCountPlusLengthPlus64)
{
    DByteArrayOutputStreamPtr out = new DByteArrayOutputStream();
    out->write(new lang::DbyteArray(10), 0, 10);
    EXPECT_EQ(out->capacity(), 64);
    out->write(new lang::DbyteArray(100), 0, 60);
    EXPECT_EQ(out->capacity(), 10 + 60 + 64);
    EXPECT_EQ(out->size(), 70);
}

TEST(ByteArrayOutput, BadRangesThrowAndWriteNothing)
{
    DByteArrayOutputStreamPtr out = new DByteArrayOutputStream();
    lang::DbyteArrayPtr four = new lang::DbyteArray(4);
    EXPECT_THROWS_KIND(out->write(four, 2, 3), lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(out->write(four, -1, 1), lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(out->write(four, 0, -1), lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(out->write(nullptr, 0, 1), lang::NullPointerException);
    EXPECT_EQ(out->size(), 0);
}

TEST(ByteArrayOutput, ResetKeepsTheBufferAndCloseReleasesIt)
{
    DByteArrayOutputStreamPtr out = new DByteArrayOutputStream();
    for (int i = 0; i < 100; ++i)
        out->write(i);
    out->reset();
    EXPECT_EQ(out->size(), 0);
    EXPECT_EQ(out->capacity(), 128);
    out->close();
    EXPECT_EQ(out->capacity(), 0);
    out->write(7); // a closed stream starts a new buffer rather than crashing
    EXPECT_EQ(out->toByteArray()->length(), 1);
}

TEST(ByteArrayOutput, ToStringReadsTheContentAsOneUtfRecord)
{
    DByteArrayOutputStreamPtr out = new DByteArrayOutputStream();
    DDataOutputStreamPtr data = new DDataOutputStream(out);
    data->writeUTF(lang::DString::fromUtf8("h\xC3\xA9llo"));
    EXPECT_EQ(out->toString()->toUtf8(), "h\xC3\xA9llo");
    DByteArrayOutputStreamPtr empty = new DByteArrayOutputStream();
    EXPECT_THROWS_KIND(empty->toString(), lang::EOFException);
}

TEST(ByteArrayInput, ReadReturnsWhatIsLeftThenMinusOne)
{
    DByteArrayInputStreamPtr in = new DByteArrayInputStream(bytes({1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(in->skip(2), 2);
    lang::DbyteArrayPtr b = new lang::DbyteArray(10);
    EXPECT_EQ(in->read(b, 0, 10), 4);
    EXPECT_EQ((*b)[3], 6);
    EXPECT_EQ(in->read(b, 0, 10), -1);
    EXPECT_EQ(in->read(b, 0, 0), 0);
    EXPECT_EQ(in->read(), -1);
}

TEST(ByteArrayInput, BytesReadAsUnsigned)
{
    DByteArrayInputStreamPtr in = new DByteArrayInputStream(bytes({-1, 0x80}));
    EXPECT_EQ(in->read(), 255);
    EXPECT_EQ(in->read(), 128);
}

TEST(ByteArrayInput, SkipStopsAtTheEndAndResetRewinds)
{
    DByteArrayInputStreamPtr in = new DByteArrayInputStream(bytes({1, 2, 3}));
    EXPECT_EQ(in->skip(100), 3);
    EXPECT_EQ(in->skip(1), 0);
    EXPECT_EQ(in->skip(-5), 0);
    in->reset();
    EXPECT_EQ(in->available(), 3);
    EXPECT_EQ(in->read(), 1);
}

TEST(ByteArrayInput, CloseEmptiesTheStream)
{
    DByteArrayInputStreamPtr in = new DByteArrayInputStream(bytes({1, 2, 3}));
    in->close();
    EXPECT_EQ(in->available(), 0);
    EXPECT_EQ(in->read(), -1);
    in->reset();
    EXPECT_EQ(in->read(), -1);
}

TEST(ByteArrayInput, RangeOutsideTheTargetThrowsAndConsumesNothing)
{
    DByteArrayInputStreamPtr in = new DByteArrayInputStream(bytes({1, 2, 3}));
    lang::DbyteArrayPtr two = new lang::DbyteArray(2);
    EXPECT_THROWS_KIND(in->read(two, 1, 2), lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(in->read(two, 3, 0), lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(in->read(two, 0, -1), lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(in->read(nullptr, 0, 1), lang::NullPointerException);
    EXPECT_EQ(in->available(), 3);
}

TEST(InputStream, RawReadGoesByteByByte)
{
    DByteArrayInputStreamPtr in = new DByteArrayInputStream(bytes({9, 8, 7}));
    int8_t buffer[5] = {};
    EXPECT_EQ(in->read(buffer, 2), 2);
    EXPECT_EQ(buffer[1], 8);
    EXPECT_EQ(in->read(buffer, 5), 1);
    EXPECT_EQ(in->read(buffer, 5), -1);
    EXPECT_EQ(in->read(buffer, 0), 0);
    EXPECT_THROWS_KIND(in->read(static_cast<int8_t*>(nullptr), 1), lang::NullPointerException);
    EXPECT_THROWS_KIND(in->read(buffer, -1), lang::IndexOutOfBoundsException);
}

TEST(PrintStream, ForwardsToItsStreamOrDiscards)
{
    DByteArrayOutputStreamPtr sink = new DByteArrayOutputStream();
    DPrintStreamPtr print = new DPrintStream(sink);
    print->write(65);
    print->write(bytes({66, 67}));
    print->flush();
    EXPECT_EQ(sink->size(), 3);
    DPrintStreamPtr discard = new DPrintStream();
    discard->write(65);
    discard->write(bytes({66}), 0, 1);
    discard->flush();
    discard->close();
    discard->write(lang::DbyteArrayPtr()); // discarded unseen, as every other operation
    DDataOutputStreamPtr data = new DDataOutputStream(discard);
    data->write(lang::DbyteArrayPtr());
}

} // namespace
