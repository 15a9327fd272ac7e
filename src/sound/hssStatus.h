// Status codes returned by every sound engine operation (0 or an id on success).
#pragma once

enum hssStatus {
    HSS_OK = 0,
    HSS_NO_DEVICE = -1,        // output format rejected or no device could be opened
    HSS_ALREADY_OPEN = -2,
    HSS_NOT_OPEN = -3,
    HSS_THREAD_FAILED = -4,
    HSS_DRIVER_FAILED = -5,
    HSS_NO_DATA = -10,         // missing data or memory
    HSS_UNSUPPORTED = -100,    // unknown module signature, bad sample size or channel count
    HSS_NOT_WAVE = -300,       // first chunk is not "fmt "
    HSS_NO_CHANNEL = -1000,    // no free channel or instance limit reached
};
