// Tests of exception records, kind names and the bit-subset handler helper.
#include <gtest/gtest.h>

#include <string>

#include "lang/DExceptionBase.h"
#include "lang/ThrownKind.h"

using namespace vela::lang;

TEST(ExceptionRecord, LayoutAndMessageLimit)
{
    EXPECT_EQ(sizeof(DExceptionBase), 252u);
    DExceptionBase plain(EOFException);
    EXPECT_EQ(plain.message[0], 0);
    DExceptionBase longOne(IOException, std::string(300, 'm').c_str());
    EXPECT_EQ(std::u16string(longOne.message).size(), 123u);
    DExceptionBase wide(IOException, u"short");
    EXPECT_EQ(std::u16string(wide.message), u"short");
}

TEST(ExceptionNames, TableAndUnlistedCodes)
{
    struct {
        uint32_t code;
        const char16_t* name;
    } cases[] = {
        { 0x05800002, u"StringIndexOutOfBoundsException" },
        { 0x04000000, u"Exception" },
        { 0x06000002, u"EOFException" },
        { 0x04200008, u"RecordStoreNotOpenException" },
        { 0x05400002, u"NumberFormatException" },
        { 0x04100000, u"SecurityException" },
        { 0x1234, u"1234" },
        { 0x05000003, u"5000003" },
        { 0x80000000, u"-80000000" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::u16string(DExceptionBase::nameOf(c.code)), c.name) << std::hex << c.code;
}

// Throws a record of `code` and reports whether a handler for `kind` accepted it.
static bool accepted(uint32_t code, uint32_t kind)
{
    bool rethrown = false;
    try {
        try {
            throw new DExceptionBase(code);
        } catch (DExceptionBase* e) {
            acceptException(e, kind);
        }
    } catch (DExceptionBase* e) {
        EXPECT_EQ(e->code, code) << "the same record is rethrown";
        rethrown = true;
        delete e;
    }
    return !rethrown;
}

TEST(ExceptionHandler, AcceptsWhenEveryBitOfTheKindIsSet)
{
    struct {
        uint32_t code;
        uint32_t kind;
        bool accepts;
    } cases[] = {
        { IOException, EOFException, false },
        { EOFException, IOException, true },
        { EOFException, EOFException, true },
        { NullPointerException, Exception, true },
        { NullPointerException, RuntimeException, true },
        { NullPointerException, IOException, false },
        { ArithmeticException, ClassNotFoundException, true },
        { StringIndexOutOfBoundsException, IndexOutOfBoundsException, true },
        { RecordStoreNotFoundException, RecordStoreException, true },
        { RecordStoreException, RecordStoreNotFoundException, false },
    };
    for (const auto& c : cases)
        EXPECT_EQ(accepted(c.code, c.kind), c.accepts) << std::hex << c.code << " " << c.kind;
}

TEST(ExceptionHandler, NullRecordIsNeverAccepted)
{
    bool nullRethrown = false;
    try {
        try {
            throw static_cast<DExceptionBase*>(nullptr);
        } catch (DExceptionBase* e) {
            acceptException(e, Exception);
        }
    } catch (DExceptionBase* e) {
        nullRethrown = e == nullptr;
    }
    EXPECT_TRUE(nullRethrown);
}

TEST(ExceptionHandler, CatchKindRunsTheBodyAndFilters)
{
    int ran = 0;
    EXPECT_FALSE(catchKind(IOException, [&] { ++ran; }));
    EXPECT_TRUE(catchKind(IOException, [] { throwException(EOFException); }));
    EXPECT_EQ(testing_support::thrownKind(
                  [] { catchKind(EOFException, [] { throwException(IOException); }); }),
        uint32_t { IOException });
    EXPECT_EQ(ran, 1);
}
