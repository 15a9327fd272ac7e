// In-memory and data streams: bad ranges, the end of the data, big-endian primitives and
// modified UTF-8, including malformed input.
#include "io/DByteArrayInputStream.h"
#include "io/DByteArrayOutputStream.h"
#include "io/DDataInputStream.h"
#include "io/DDataOutputStream.h"
#include "lang/DString.h"
#include "support/Files.h"
#include "support/Thrown.h"

#include <gtest/gtest.h>

using namespace vela;
using namespace vela::io;
using support::Bytes;
using support::toArray;

namespace {

DDataInputStreamPtr over(const Bytes& bytes)
{
    return new DDataInputStream(new DByteArrayInputStream(toArray(bytes)));
}

// Runs `write` against a fresh data stream and returns the bytes it produced.
template <class Write>
Bytes written(Write&& write)
{
    DByteArrayOutputStreamPtr sink = new DByteArrayOutputStream();
    DDataOutputStreamPtr out = new DDataOutputStream(sink);
    write(*out);
    return support::bytesOf(sink->toByteArray());
}

lang::DStringPtr units(std::u16string text)
{
    return new lang::DString(text.data(), int32_t(text.size()));
}

TEST(ByteArrayStreams, BadRangesThrowAndChangeNothingAndClosedStreamsStayUsable)
{
    DByteArrayOutputStreamPtr out = new DByteArrayOutputStream();
    lang::DbyteArrayPtr four = new lang::DbyteArray(4);
    EXPECT_THROWS_KIND(out->write(four, 2, 3), lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(out->write(four, -1, 1), lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(out->write(nullptr, 0, 1), lang::NullPointerException);
    EXPECT_EQ(out->size(), 0);
    out->close();
    out->write(7); // a closed stream starts a new buffer rather than crashing
    EXPECT_EQ(out->toByteArray()->length(), 1);

    DByteArrayInputStreamPtr in = new DByteArrayInputStream(toArray(Bytes{9, 0x80, 7}));
    lang::DbyteArrayPtr two = new lang::DbyteArray(2);
    EXPECT_THROWS_KIND(in->read(two, 1, 2), lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(in->read(two, 0, -1), lang::ArrayIndexOutOfBoundsException);
    EXPECT_EQ(in->available(), 3);
    EXPECT_EQ(in->skip(-5), 0);
    EXPECT_EQ(in->skip(1), 1);
    EXPECT_EQ(in->read(), 128) << "bytes read as unsigned";
    EXPECT_EQ(in->read(two, 0, 2), 1);
    EXPECT_EQ(in->read(two, 0, 2), -1);
    EXPECT_EQ(in->read(two, 0, 0), 0);
    in->reset();
    in->close();
    EXPECT_EQ(in->read(), -1);
}

TEST(ModifiedUtf8, EncodesAndDecodesEachUnitRange)
{
    const struct {
        std::u16string text;
        Bytes encoded;
    } cases[] = {
        {u"", {0, 0}},
        {std::u16string(1, u'\0'), {0, 2, 0xC0, 0x80}},
        {u"\u007F\u0080", {0, 3, 0x7F, 0xC2, 0x80}},
        {u"\u07FF\u0800", {0, 5, 0xDF, 0xBF, 0xE0, 0xA0, 0x80}},
        {u"\uFFFF", {0, 3, 0xEF, 0xBF, 0xBF}},
        {u"\xD83D\xDE00", {0, 6, 0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}}, // surrogates one by one
    };
    for (const auto& c : cases) {
        EXPECT_EQ(written([&](DDataOutputStream& o) { o.writeUTF(units(c.text)); }), c.encoded);
        EXPECT_TRUE(over(c.encoded)->readUTF()->view() == c.text);
    }
}

TEST(ModifiedUtf8, MalformedInputAndTooLongTextsThrow)
{
    const struct {
        Bytes input;
        uint32_t kind;
    } cases[] = {
        {{0, 1, 0x80}, lang::UTFDataFormatException},       // lone continuation byte
        {{0, 1, 0xF0}, lang::UTFDataFormatException},       // four-byte lead
        {{0, 1, 0xC3}, lang::UTFDataFormatException},       // pair cut by the length
        {{0, 2, 0xC3, 0x41}, lang::UTFDataFormatException}, // second byte not 10xxxxxx
        {{0, 3, 0xE0, 0x41, 0x80}, lang::UTFDataFormatException},
        {{0, 3, 'a', 'b'}, lang::EOFException},             // length beyond the data
    };
    for (const auto& c : cases)
        EXPECT_THROWS_KIND(over(c.input)->readUTF(), c.kind);
    EXPECT_EQ(written([](DDataOutputStream& o) { o.writeUTF(units(std::u16string(65535, u'x'))); }).size(), 65537u);
    DByteArrayOutputStreamPtr sink = new DByteArrayOutputStream();
    DDataOutputStreamPtr o = new DDataOutputStream(sink);
    EXPECT_THROWS_KIND(o->writeUTF(units(std::u16string(32768, u'\u00E9'))), lang::UTFDataFormatException);
    EXPECT_EQ(sink->size(), 0) << "nothing is written for a text that does not fit";
}

} // namespace
