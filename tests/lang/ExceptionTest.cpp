// Tests of exception records, kind names and the bit-subset handler helper.
#include <gtest/gtest.h>

#include <string>

#include "lang/DExceptionBase.h"
#include "lang/ThrownKind.h"

using namespace vela::lang;
using testing_support::Table;
using testing_support::thrownKind;

TEST(ExceptionRecord, LayoutAndMessageLimit)
{
    EXPECT_EQ(sizeof(DExceptionBase), 252u);
    EXPECT_EQ(DExceptionBase(EOFException).message[0], 0);
    DExceptionBase longOne(IOException, std::string(300, 'm').c_str());
    EXPECT_EQ(std::u16string(longOne.message).size(), 123u);
    EXPECT_EQ(std::u16string(DExceptionBase(IOException, u"short").message), u"short");
}

TEST(ExceptionNames, TableAndUnlistedCodes)
{
    for (auto [code, name] : Table<uint32_t, const char16_t*> {
             { 0x05800002, u"StringIndexOutOfBoundsException" }, { 0x04000000, u"Exception" },
             { 0x06000002, u"EOFException" }, { 0x04200008, u"RecordStoreNotOpenException" },
             { 0x05400002, u"NumberFormatException" }, { 0x04100000, u"SecurityException" },
             { 0x1234, u"1234" }, { 0x05000003, u"5000003" }, { 0x80000000, u"-80000000" } })
        EXPECT_EQ(std::u16string(DExceptionBase::nameOf(code)), name) << std::hex << code;
}

// What a handler for `kind` does with a thrown record of `code`: accepted (NOTHING_THROWN)
// or the kind of what it rethrew.
static uint32_t handle(DExceptionBase* thrown, uint32_t kind)
{
    return thrownKind([&] {
        try {
            throw thrown;
        } catch (DExceptionBase* e) {
            acceptException(e, kind);
        }
    });
}

TEST(ExceptionHandler, AcceptsWhenEveryBitOfTheKindIsSetElseRethrowsTheSame)
{
    const uint32_t accepted = testing_support::NOTHING_THROWN;
    for (auto [code, kind, accepts] : Table<uint32_t, uint32_t, bool> {
             { IOException, EOFException, false }, { EOFException, IOException, true },
             { EOFException, EOFException, true }, { NullPointerException, Exception, true },
             { NullPointerException, RuntimeException, true },
             { NullPointerException, IOException, false },
             { ArithmeticException, ClassNotFoundException, true },
             { StringIndexOutOfBoundsException, IndexOutOfBoundsException, true },
             { RecordStoreNotFoundException, RecordStoreException, true },
             { RecordStoreException, RecordStoreNotFoundException, false } })
        EXPECT_EQ(handle(new DExceptionBase(code), kind), accepts ? accepted : code)
            << std::hex << code << " " << kind;
    EXPECT_EQ(handle(nullptr, Exception), 0u); // a null record is never accepted
    int ran = 0;
    EXPECT_FALSE(catchKind(IOException, [&] { ++ran; }));
    EXPECT_EQ(ran, 1);
    EXPECT_TRUE(catchKind(IOException, [] { throwException(EOFException); }));
    EXPECT_EQ(thrownKind([] { catchKind(EOFException, [] { throwException(IOException); }); }),
        uint32_t { IOException });
}
