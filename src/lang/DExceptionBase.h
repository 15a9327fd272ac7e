// The one exception record of the runtime: a kind code and a short message, thrown by pointer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

namespace vela::lang {

// Kind codes. Every code holds the root bit; a family adds one high bit, a leaf low bits.
enum DExceptionKind : uint32_t {
    Exception = 0x04000000,
    ClassNotFoundException = 0x04000001,
    IllegalAccessException = 0x04000002,
    InterruptedException = 0x04000004,
    InstantiationException = 0x04000008,
    MediaException = 0x04000010,
    MIDletStateChangeException = 0x04000020,
    VideoException = 0x04000040,
    SecurityException = 0x04100000,
    RecordStoreException = 0x04200000,
    InvalidRecordIDException = 0x04200001,
    RecordStoreFullException = 0x04200002,
    RecordStoreNotFoundException = 0x04200004,
    RecordStoreNotOpenException = 0x04200008,
    RuntimeException = 0x05000000,
    ArithmeticException = 0x05000001,
    ArrayStoreException = 0x05000002,
    ClassCastException = 0x05000004,
    EmptyStackException = 0x05000008,
    IllegalMonitorStateException = 0x05000010,
    NegativeArraySizeException = 0x05000020,
    NoSuchElementException = 0x05000040,
    NullPointerException = 0x05000080,
    IllegalStateException = 0x05000100,
    IllegalArgumentException = 0x05400000,
    IllegalThreadStateException = 0x05400001,
    NumberFormatException = 0x05400002,
    IndexOutOfBoundsException = 0x05800000,
    ArrayIndexOutOfBoundsException = 0x05800001,
    StringIndexOutOfBoundsException = 0x05800002,
    IOException = 0x06000000,
    ConnectionNotFoundException = 0x06000001,
    EOFException = 0x06000002,
    InterruptedIOException = 0x06000004,
    UnsupportedEncodingException = 0x06000008,
    UTFDataFormatException = 0x06000010,
    CertificateException = 0x06000020,
};

// Thrown as `throw new DExceptionBase(kind)`; the handler that accepts it deletes it. When
// memory runs out the allocation yields null, so a null pointer is thrown: handlers treat it
// as an unidentified failure.
class DExceptionBase {
public:
    static constexpr int MESSAGE_UNITS = 124;

    explicit DExceptionBase(uint32_t code, const char16_t* message = nullptr);
    DExceptionBase(uint32_t code, const char* message);

    static void* operator new(std::size_t size) noexcept;
    static void operator delete(void* memory) noexcept;

    // Copies at most MESSAGE_UNITS - 1 units and terminates.
    void setMessage(const char16_t* text);
    void setMessage(const char* text);

    // Name of a kind: its table name, or the code in hexadecimal for an unlisted code (that
    // text lives in one shared buffer that the next such query overwrites).
    static const char16_t* nameOf(uint32_t code);

    // A handler for `kind` accepts an exception whose code holds every bit of `kind`.
    static bool isKind(const DExceptionBase* e, uint32_t kind)
    {
        return e && (e->code & kind) == kind;
    }

    uint32_t code;
    char16_t message[MESSAGE_UNITS];
};

// The handler helper, for use inside `catch (DExceptionBase* e)`: deletes `e` and returns when
// it is of `kind`, else rethrows the same pointer (null included).
void acceptException(DExceptionBase* e, uint32_t kind);

// Runs `body`; an exception of `kind` thrown from it is accepted and deleted and the call
// returns true; every other exception passes through unchanged.
template <class Body>
bool catchKind(uint32_t kind, Body&& body)
{
    try {
        body();
        return false;
    } catch (DExceptionBase* e) {
        acceptException(e, kind);
        return true;
    }
}

// Shorthand for the throw sites that carry no message.
[[noreturn]] void throwException(uint32_t code);

} // namespace vela::lang
