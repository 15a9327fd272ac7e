// A tracker module (31 instruments, 64-row patterns) loaded for a music channel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum {
    HSS_MOD_INSTRUMENTS = 31,
    HSS_MOD_INSTRUMENT_AT = 20,
    HSS_MOD_INSTRUMENT_SIZE = 30,
    HSS_MOD_SONG_LENGTH_AT = 950,
    HSS_MOD_RESTART_AT = 951,
    HSS_MOD_ORDERS_AT = 952,
    HSS_MOD_ORDERS = 128,
    HSS_MOD_SIGNATURE_AT = 1080,
    HSS_MOD_PATTERNS_AT = 1084,
    HSS_MOD_ROWS = 64,
    HSS_MOD_MAX_TRACKS = 32,
};

class hssMusic {
public:
    // Replaces any earlier data; answers 0 or a negative status.
    int load(const uint8_t* bytes, size_t size);
    void release();

    const uint8_t* data() const { return moduleBytes.empty() ? nullptr : moduleBytes.data(); }
    size_t size() const { return moduleBytes.size(); }
    int tracks() const { return trackCount; }
    int songLength() const { return moduleBytes.empty() ? 0 : moduleBytes[HSS_MOD_SONG_LENGTH_AT]; }
    int patternCount() const { return patterns; }
    int order(int index) const { return moduleBytes[HSS_MOD_ORDERS_AT + index]; }

    int level = 64;
    bool loop = false;
    int pan = 128;                   // stereo separation
    int playbackFrequency = 0;
    int frequency = 0;
    int defaultValue = 128;

private:
    std::vector<uint8_t> moduleBytes;
    int trackCount = 0;
    int patterns = 0;
};

// Tracks named by the signature at offset 1080, or 0 when it is not recognised.
int hssModuleTracks(const uint8_t signature[4]);
