// The output driver interface: a sink that asks the engine to mix each buffer it plays.
#pragma once

#include <cstdint>

enum {
    HSS_FORMAT_8BIT_LOW = 0x01,
    HSS_FORMAT_16BIT_LOW = 0x02,
    HSS_FORMAT_16BIT_HIGH = 0x10,
    HSS_FORMAT_8BIT_HIGH = 0x20,
    HSS_FORMAT_8BIT = HSS_FORMAT_8BIT_HIGH | HSS_FORMAT_8BIT_LOW,    // 0x21
    HSS_FORMAT_16BIT = HSS_FORMAT_16BIT_HIGH | HSS_FORMAT_16BIT_LOW, // 0x12
};

struct hssFormat {
    int frequency;
    int flags;      // HSS_FORMAT_8BIT or HSS_FORMAT_16BIT
    int channels;   // 1 or 2

    // Contradictory sample-size flags, a missing size, odd channel counts and rates are refused.
    bool valid() const;
    bool is16bit() const { return (flags & HSS_FORMAT_16BIT) != 0; }
    int bytesPerFrame() const { return channels * (is16bit() ? 2 : 1); }
};

// Fills `bytes` bytes of `buffer` with mixed output.
typedef void (*hssMixCallback)(void* user, uint8_t* buffer, int bytes);

class hssDriver {
public:
    virtual ~hssDriver() {}
    // Opens paused; answers 0 or a negative status.
    virtual int open(const hssFormat& format, int bufferFrames, hssMixCallback mix, void* user) = 0;
    virtual int close() = 0;
    virtual void lock() = 0;
    virtual void unlock() = 0;
    // Both are idempotent.
    virtual void pause() = 0;
    virtual void resume() = 0;
};

typedef hssDriver* (*hssDriverFactory)();

// Holds the driver lock for a scope.
class hssDriverLock {
public:
    explicit hssDriverLock(hssDriver* driver) : driver(driver) { driver->lock(); }
    ~hssDriverLock() { driver->unlock(); }
    hssDriverLock(const hssDriverLock&) = delete;
    hssDriverLock& operator=(const hssDriverLock&) = delete;

private:
    hssDriver* driver;
};
