// Exception records, the table of kinds and the handler helper.
#include "lang/DExceptionBase.h"

#include "lang/NumberText.h"

#include <cstdlib>

namespace vela::lang {

static_assert(sizeof(DExceptionBase) == 252, "exception records are 252 bytes");

namespace {

struct KindName {
    uint32_t code;
    const char16_t* name;
};

// Families first, then the leaves; lookup is linear and codes are unique.
const KindName kinds[] = {
    { Exception, u"Exception" },
    { IOException, u"IOException" },
    { RuntimeException, u"RuntimeException" },
    { IndexOutOfBoundsException, u"IndexOutOfBoundsException" },
    { IllegalArgumentException, u"IllegalArgumentException" },
    { RecordStoreException, u"RecordStoreException" },
    { ClassNotFoundException, u"ClassNotFoundException" },
    { IllegalAccessException, u"IllegalAccessException" },
    { InterruptedException, u"InterruptedException" },
    { InstantiationException, u"InstantiationException" },
    { MediaException, u"MediaException" },
    { MIDletStateChangeException, u"MIDletStateChangeException" },
    { VideoException, u"VideoException" },
    { ConnectionNotFoundException, u"ConnectionNotFoundException" },
    { EOFException, u"EOFException" },
    { InterruptedIOException, u"InterruptedIOException" },
    { UnsupportedEncodingException, u"UnsupportedEncodingException" },
    { UTFDataFormatException, u"UTFDataFormatException" },
    { CertificateException, u"CertificateException" },
    { ArithmeticException, u"ArithmeticException" },
    { ArrayStoreException, u"ArrayStoreException" },
    { ClassCastException, u"ClassCastException" },
    { EmptyStackException, u"EmptyStackException" },
    { IllegalMonitorStateException, u"IllegalMonitorStateException" },
    { NegativeArraySizeException, u"NegativeArraySizeException" },
    { NoSuchElementException, u"NoSuchElementException" },
    { NullPointerException, u"NullPointerException" },
    { SecurityException, u"SecurityException" },
    { IllegalStateException, u"IllegalStateException" },
    { ArrayIndexOutOfBoundsException, u"ArrayIndexOutOfBoundsException" },
    { StringIndexOutOfBoundsException, u"StringIndexOutOfBoundsException" },
    { IllegalThreadStateException, u"IllegalThreadStateException" },
    { NumberFormatException, u"NumberFormatException" },
    { InvalidRecordIDException, u"InvalidRecordIDException" },
    { RecordStoreFullException, u"RecordStoreFullException" },
    { RecordStoreNotFoundException, u"RecordStoreNotFoundException" },
    { RecordStoreNotOpenException, u"RecordStoreNotOpenException" },
};

} // namespace

DExceptionBase::DExceptionBase(uint32_t code, const char16_t* text) : code(code)
{
    setMessage(text);
}

DExceptionBase::DExceptionBase(uint32_t code, const char* text) : code(code)
{
    setMessage(text);
}

void* DExceptionBase::operator new(std::size_t size) noexcept
{
    return std::malloc(size);
}

void DExceptionBase::operator delete(void* memory) noexcept
{
    std::free(memory);
}

void DExceptionBase::setMessage(const char16_t* text)
{
    int i = 0;
    for (; text && text[i] && i < MESSAGE_UNITS - 1; ++i)
        message[i] = text[i];
    message[i] = 0;
}

void DExceptionBase::setMessage(const char* text)
{
    int i = 0;
    for (; text && text[i] && i < MESSAGE_UNITS - 1; ++i)
        message[i] = static_cast<unsigned char>(text[i]);
    message[i] = 0;
}

const char16_t* DExceptionBase::nameOf(uint32_t code)
{
    for (const KindName& kind : kinds)
        if (kind.code == code)
            return kind.name;
    static char16_t unlisted[NUMBER_TEXT_UNITS];
    formatNumber(static_cast<int32_t>(code), 16, unlisted);
    return unlisted;
}

void acceptException(DExceptionBase* e, uint32_t kind)
{
    if (!DExceptionBase::isKind(e, kind))
        throw e;
    delete e;
}

void throwException(uint32_t code)
{
    throw new DExceptionBase(code);
}

void throwArrayIndex()
{
    throw new DExceptionBase(ArrayIndexOutOfBoundsException);
}

} // namespace vela::lang
