// Big-endian primitives and modified UTF-8 through the data streams, including malformed input.
#include "io/DByteArrayInputStream.h"
#include "io/DByteArrayOutputStream.h"
#include "io/DDataInputStream.h"
#include "io/DDataOutputStream.h"
#include "io/TestFiles.h"
#include "lang/DString.h"
#include "lang/ThrownKind.h"

#include <gtest/gtest.h>

using namespace vela;
using namespace vela::io;
using testfiles::Bytes;

namespace {

DDataInputStreamPtr over(const Bytes& bytes)
{
    lang::DbyteArrayPtr data = new lang::DbyteArray(int32_t(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i)
        (*data)[int32_t(i)] = int8_t(bytes[i]);
    return new DDataInputStream(new DByteArrayInputStream(data));
}

// Runs `write` against a fresh data stream and returns the bytes it produced.
template <class Write>
Bytes written(Write&& write)
{
    DByteArrayOutputStreamPtr sink = new DByteArrayOutputStream();
    DDataOutputStreamPtr out = new DDataOutputStream(sink);
    write(*out);
    lang::DbyteArrayPtr bytes = sink->toByteArray();
    return Bytes(bytes->data(), bytes->data() + bytes->length());
}

lang::DStringPtr units(std::u16string text)
{
    return new lang::DString(text.data(), int32_t(text.size()));
}

TEST(DataOutput, IntegersAreBigEndian)
{
    EXPECT_EQ(written([](DDataOutputStream& o) { o.writeInt(1); }), (Bytes{0, 0, 0, 1}));
    EXPECT_EQ(written([](DDataOutputStream& o) { o.writeInt(-2); }), (Bytes{0xFF, 0xFF, 0xFF, 0xFE}));
    EXPECT_EQ(written([](DDataOutputStream& o) { o.writeLong(0x0102030405060708LL); }),
              (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(written([](DDataOutputStream& o) { o.writeShort(0x1234); o.writeByte(-1); o.writeBoolean(true); }),
              (Bytes{0x12, 0x34, 0xFF, 1}));
}

TEST(DataInput, IntegersAreBigEndianAndSigned)
{
    EXPECT_EQ(over({0xFF, 0xFF, 0xFF, 0xFE})->readInt(), -2);
    EXPECT_EQ(over({0x80, 0, 0, 0, 0, 0, 0, 1})->readLong(), INT64_MIN + 1);
    EXPECT_EQ(over({0xFF, 0xFE})->readShort(), -2);
    EXPECT_EQ(over({0xFF, 0xFE})->readUnsignedShort(), 0xFFFE);
    EXPECT_EQ(over({0xFF})->readByte(), -1);
    EXPECT_TRUE(over({0x02})->readBoolean());
    EXPECT_FALSE(over({0x00})->readBoolean());
}

TEST(DataInput, ShortDataThrowsEofAfterConsumingWhatWasThere)
{
    DDataInputStreamPtr in = over({1, 2, 3});
    EXPECT_THROWS_KIND(in->readInt(), lang::EOFException);
    EXPECT_EQ(in->available(), 0);
    EXPECT_THROWS_KIND(over({})->readBoolean(), lang::EOFException);
    EXPECT_THROWS_KIND(over({1})->readShort(), lang::EOFException);
    EXPECT_THROWS_KIND(over({1, 2, 3, 4, 5, 6, 7})->readLong(), lang::EOFException);
    EXPECT_THROWS_KIND(over({1})->readFully(new lang::DbyteArray(2)), lang::EOFException);
}

struct UtfCase {
    std::u16string text;
    Bytes encoded;
};

const UtfCase kUtfCases[] = {
    {u"", {0, 0}},
    {u"A", {0, 1, 'A'}},
    {u"\u00E9", {0, 2, 0xC3, 0xA9}},
    {std::u16string(1, u'\0'), {0, 2, 0xC0, 0x80}},
    {u"\u007F\u0080", {0, 3, 0x7F, 0xC2, 0x80}},
    {u"\u07FF\u0800", {0, 5, 0xDF, 0xBF, 0xE0, 0xA0, 0x80}},
    {u"\uFFFF", {0, 3, 0xEF, 0xBF, 0xBF}},
    {u"\xD83D\xDE00", {0, 6, 0xED, 0xA0, 0xBD, 0xED, 0xB8, 0x80}}, // surrogates one by one
};

TEST(ModifiedUtf8, EncodesAndDecodesEachUnitRange)
{
    for (const UtfCase& c : kUtfCases) {
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
    std::u16string fits(65535, u'x');
    Bytes out = written([&](DDataOutputStream& o) { o.writeUTF(units(fits)); });
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

TEST(DataStreams, NullWrappedStreamThrowsNullPointer)
{
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

TEST(DataStreams, RandomBytesNeverEscapeAsAnythingButEndOrFormatErrors)
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
