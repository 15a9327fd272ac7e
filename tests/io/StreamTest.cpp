// In-memory and data streams: buffer growth, reads at the end, big-endian primitives and
// modified UTF-8, including malformed input.
#include "io/DByteArrayInputStream.h"
#include "io/DByteArrayOutputStream.h"
#include "io/DDataInputStream.h"
#include "io/DDataOutputStream.h"
#include "io/DPrintStream.h"
#include "io/TestFiles.h"
#include "lang/DString.h"
#include "lang/ThrownKind.h"

#include <gtest/gtest.h>

using namespace vela;
using namespace vela::io;
using testfiles::Bytes;

namespace {

DByteArrayInputStreamPtr source(const Bytes& bytes)
{
    return new DByteArrayInputStream(testfiles::array(bytes));
}

DDataInputStreamPtr over(const Bytes& bytes)
{
    return new DDataInputStream(source(bytes));
}

// Runs `write` against a fresh data stream and returns the bytes it produced.
template <class Write>
Bytes written(Write&& write)
{
    DByteArrayOutputStreamPtr sink = new DByteArrayOutputStream();
    DDataOutputStreamPtr out = new DDataOutputStream(sink);
    write(*out);
    return testfiles::bytesOf(sink->toByteArray());
}

lang::DStringPtr units(std::u16string text)
{
    return new lang::DString(text.data(), int32_t(text.size()));
}

TEST(ByteArrayOutput, GrowthRules)
{
    DByteArrayOutputStreamPtr out = new DByteArrayOutputStream();
    EXPECT_EQ(out->capacity(), 64);
    for (int i = 0; i < 64; ++i)
        out->write(i);
    EXPECT_EQ(out->capacity(), 64);
    out->write(64); // a single byte that does not fit adds 64
    EXPECT_EQ(out->capacity(), 128);
    Bytes expected(65);
    for (int i = 0; i < 65; ++i)
        expected[i] = uint8_t(i);
    EXPECT_EQ(testfiles::bytesOf(out->toByteArray()), expected);
    DByteArrayOutputStreamPtr blocks = new DByteArrayOutputStream();
    blocks->write(new lang::DbyteArray(10), 0, 10);
    EXPECT_EQ(blocks->capacity(), 64);
    blocks->write(new lang::DbyteArray(100), 0, 60); // a block grows to count + length + 64
    EXPECT_EQ(blocks->capacity(), 10 + 60 + 64);
    EXPECT_EQ(blocks->size(), 70);
}

TEST(ByteArrayOutput, BadRangesResetCloseAndToString)
{
    DByteArrayOutputStreamPtr out = new DByteArrayOutputStream();
    lang::DbyteArrayPtr four = new lang::DbyteArray(4);
    EXPECT_THROWS_KIND(out->write(four, 2, 3), lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(out->write(four, -1, 1), lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(out->write(four, 0, -1), lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(out->write(nullptr, 0, 1), lang::NullPointerException);
    EXPECT_EQ(out->size(), 0);
    EXPECT_THROWS_KIND(out->toString(), lang::EOFException);
    for (int i = 0; i < 100; ++i)
        out->write(i);
    out->reset();
    EXPECT_EQ(out->size(), 0);
    EXPECT_EQ(out->capacity(), 128);
    out->close();
    EXPECT_EQ(out->capacity(), 0);
    out->write(7); // a closed stream starts a new buffer rather than crashing
    EXPECT_EQ(out->toByteArray()->length(), 1);
    DByteArrayOutputStreamPtr text = new DByteArrayOutputStream();
    DDataOutputStreamPtr data = new DDataOutputStream(text);
    data->writeUTF(lang::DString::fromUtf8("h\xC3\xA9llo"));
    EXPECT_EQ(text->toString()->toUtf8(), "h\xC3\xA9llo"); // the content as one UTF record
}

TEST(ByteArrayInput, ReadsSkipsResetCloseAndBadRanges)
{
    DByteArrayInputStreamPtr in = source({1, 2, 3, 4, 5, 0xFF});
    EXPECT_EQ(in->skip(2), 2);
    lang::DbyteArrayPtr b = new lang::DbyteArray(10);
    EXPECT_EQ(in->read(b, 0, 10), 4);
    EXPECT_EQ((*b)[3], -1);
    EXPECT_EQ(in->read(b, 0, 10), -1);
    EXPECT_EQ(in->read(b, 0, 0), 0);
    EXPECT_EQ(in->read(), -1);
    EXPECT_EQ(in->skip(1), 0);
    EXPECT_EQ(in->skip(-5), 0);
    in->reset();
    EXPECT_EQ(in->skip(100), 6);
    in->reset();
    EXPECT_EQ(in->available(), 6);
    EXPECT_EQ(in->read(), 1);
    EXPECT_EQ(source({0x80})->read(), 128); // bytes read as unsigned
    in->close();
    EXPECT_EQ(in->available(), 0);
    in->reset();
    EXPECT_EQ(in->read(), -1);
    in = source({9, 8, 7}); // bad ranges throw and consume nothing
    lang::DbyteArrayPtr two = new lang::DbyteArray(2);
    EXPECT_THROWS_KIND(in->read(two, 1, 2), lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(in->read(two, 3, 0), lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(in->read(two, 0, -1), lang::ArrayIndexOutOfBoundsException);
    EXPECT_THROWS_KIND(in->read(nullptr, 0, 1), lang::NullPointerException);
    EXPECT_EQ(in->available(), 3);
    // The raw read of the base class goes byte by byte.
    int8_t buffer[5] = {};
    EXPECT_THROWS_KIND(in->read(static_cast<int8_t*>(nullptr), 1), lang::NullPointerException);
    EXPECT_THROWS_KIND(in->read(buffer, -1), lang::IndexOutOfBoundsException);
    EXPECT_EQ(in->read(buffer, 2), 2);
    EXPECT_EQ(buffer[1], 8);
    EXPECT_EQ(in->read(buffer, 5), 1);
    EXPECT_EQ(in->read(buffer, 5), -1);
    EXPECT_EQ(in->read(buffer, 0), 0);
}

TEST(PrintStream, ForwardsToItsStreamOrDiscards)
{
    DByteArrayOutputStreamPtr sink = new DByteArrayOutputStream();
    DPrintStreamPtr print = new DPrintStream(sink);
    print->write(65);
    print->write(testfiles::array({66, 67}));
    print->flush();
    EXPECT_EQ(sink->size(), 3);
    DPrintStreamPtr discard = new DPrintStream();
    discard->write(65);
    discard->write(testfiles::array({66}), 0, 1);
    discard->flush();
    discard->close();
    discard->write(lang::DbyteArrayPtr()); // discarded unseen, as every other operation
    DDataOutputStreamPtr(new DDataOutputStream(discard))->write(lang::DbyteArrayPtr());
}

TEST(DataStreams, IntegersAreBigEndianAndSigned)
{
    EXPECT_EQ(written([](DDataOutputStream& o) { o.writeInt(1); }), (Bytes{0, 0, 0, 1}));
    EXPECT_EQ(written([](DDataOutputStream& o) { o.writeLong(0x0102030405060708LL); }),
              (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(written([](DDataOutputStream& o) {
                  o.writeShort(0x1234);
                  o.writeByte(-1);
                  o.writeBoolean(true);
              }),
              (Bytes{0x12, 0x34, 0xFF, 1}));
    EXPECT_EQ(over({0xFF, 0xFF, 0xFF, 0xFE})->readInt(), -2);
    EXPECT_EQ(over({0x80, 0, 0, 0, 0, 0, 0, 1})->readLong(), INT64_MIN + 1);
    EXPECT_EQ(over({0xFF, 0xFE})->readShort(), -2);
    EXPECT_EQ(over({0xFF, 0xFE})->readUnsignedShort(), 0xFFFE);
    EXPECT_EQ(over({0xFF})->readByte(), -1);
    EXPECT_TRUE(over({0x02})->readBoolean());
    EXPECT_FALSE(over({0x00})->readBoolean());
}

TEST(DataStreams, ShortDataThrowsEofAfterConsumingWhatWasThereAndNullStreamsThrow)
{
    DDataInputStreamPtr in = over({1, 2, 3});
    EXPECT_THROWS_KIND(in->readInt(), lang::EOFException);
    EXPECT_EQ(in->available(), 0);
    EXPECT_THROWS_KIND(over({})->readBoolean(), lang::EOFException);
    EXPECT_THROWS_KIND(over({1})->readShort(), lang::EOFException);
    EXPECT_THROWS_KIND(over({1, 2, 3, 4, 5, 6, 7})->readLong(), lang::EOFException);
    EXPECT_THROWS_KIND(over({1})->readFully(new lang::DbyteArray(2)), lang::EOFException);
    EXPECT_THROWS_KIND(DDataInputStream(nullptr), lang::NullPointerException);
    EXPECT_THROWS_KIND(DDataOutputStream(nullptr), lang::NullPointerException);
}

TEST(DataStreams, InputForwardsReadsButNotCloseOrReset)
{
    DDataInputStreamPtr in = over({1, 2, 3, 4, 5});
    EXPECT_EQ(in->read(), 1);
    EXPECT_EQ(in->skip(1), 1);
    in->reset();
    in->close();
    EXPECT_EQ(in->available(), 3);
    lang::DbyteArrayPtr b = new lang::DbyteArray(8);
    EXPECT_EQ(in->read(b), 3);
    EXPECT_EQ((*b)[0], 3);
    EXPECT_EQ(in->read(b, 0, 8), -1);
}

TEST(ModifiedUtf8, EncodesAndDecodesEachUnitRange)
{
    const struct {
        std::u16string text;
        Bytes encoded;
    } cases[] = {
        {u"", {0, 0}},
        {u"A", {0, 1, 'A'}},
        {u"\u00E9", {0, 2, 0xC3, 0xA9}},
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

TEST(ModifiedUtf8, MalformedInputThrows)
{
    const struct {
        Bytes input;
        uint32_t kind;
    } cases[] = {
        {{0, 1, 0x80}, lang::UTFDataFormatException},       // lone continuation byte
        {{0, 1, 0xBF}, lang::UTFDataFormatException},
        {{0, 1, 0xF0}, lang::UTFDataFormatException},       // four-byte lead
        {{0, 1, 0xC3}, lang::UTFDataFormatException},       // pair cut by the length
        {{0, 2, 0xC3, 0x41}, lang::UTFDataFormatException}, // second byte not 10xxxxxx
        {{0, 2, 0xE0, 0x80}, lang::UTFDataFormatException}, // triple cut by the length
        {{0, 3, 0xE0, 0x80, 0xC0}, lang::UTFDataFormatException},
        {{0, 3, 0xE0, 0x41, 0x80}, lang::UTFDataFormatException},
        {{0, 3, 'a', 'b'}, lang::EOFException},             // length beyond the data
        {{0}, lang::EOFException},
    };
    for (const auto& c : cases)
        EXPECT_THROWS_KIND(over(c.input)->readUTF(), c.kind);
}

TEST(ModifiedUtf8, LengthLimitIs65535EncodedBytes)
{
    lang::DStringPtr longest = units(std::u16string(65535, u'x'));
    Bytes out = written([&](DDataOutputStream& o) { o.writeUTF(longest); });
    EXPECT_EQ(out.size(), 65537u);
    EXPECT_EQ(over(out)->readUTF()->length(), 65535);
    DByteArrayOutputStreamPtr sink = new DByteArrayOutputStream();
    DDataOutputStreamPtr o = new DDataOutputStream(sink);
    EXPECT_THROWS_KIND(o->writeUTF(units(std::u16string(32768, u'\u00E9'))),
                       lang::UTFDataFormatException);
    EXPECT_THROWS_KIND(o->writeUTF(units(std::u16string(21846, u'\u4E2D'))),
                       lang::UTFDataFormatException);
    EXPECT_EQ(sink->size(), 0); // nothing is written for a string that does not fit
}

TEST(ModifiedUtf8, RandomBytesNeverEscapeAsAnythingButEndOrFormatErrors)
{
    for (uint32_t seed = 0; seed < 300; ++seed) {
        Bytes noise = testfiles::patternBytes(seed % 40, seed);
        if (noise.size() >= 2)
            noise[0] = 0; // keep declared lengths short so every decoder branch is reached
        uint32_t kind = testing_support::thrownKind([&] {
            DDataInputStreamPtr in = over(noise);
            while (in->available() > 0)
                in->readUTF();
        });
        EXPECT_TRUE(kind == testing_support::NOTHING_THROWN || kind == lang::EOFException ||
                    kind == lang::UTFDataFormatException)
            << std::hex << kind;
    }
}

} // namespace
