// Module loading: the signature, the song and the sizes of patterns and samples.
#include "sound/hssMusic.h"

#include "sound/hssStatus.h"

static bool isDigit(uint8_t c)
{
    return c >= '0' && c <= '9';
}

int hssModuleTracks(const uint8_t signature[4])
{
    if (signature[0] == 'M' && signature[2] == 'K')
        return 4;
    if (signature[1] != 'C' && signature[2] != 'C')
        return 0;
    int tracks = 0;
    for (int i = 0; i < 2 && isDigit(signature[i]); ++i)
        tracks = tracks * 10 + (signature[i] - '0');
    return tracks;
}

void hssMusic::release()
{
    std::vector<uint8_t>().swap(moduleBytes);
    trackCount = 0;
    patterns = 0;
}

int hssMusic::load(const uint8_t* bytes, size_t size)
{
    release();
    if (!bytes || size < HSS_MOD_PATTERNS_AT)
        return HSS_NO_DATA;
    int tracks = hssModuleTracks(bytes + HSS_MOD_SIGNATURE_AT);
    int songLength = bytes[HSS_MOD_SONG_LENGTH_AT];
    if (tracks == 0 || songLength == 0 || songLength > HSS_MOD_ORDERS)
        return HSS_UNSUPPORTED;
    int highest = 0;
    for (int i = 0; i < songLength; ++i)
        if (bytes[HSS_MOD_ORDERS_AT + i] > highest)
            highest = bytes[HSS_MOD_ORDERS_AT + i];
    uint64_t needed = HSS_MOD_PATTERNS_AT + static_cast<uint64_t>(highest + 1) * HSS_MOD_ROWS * tracks * 4;
    for (int i = 0; i < HSS_MOD_INSTRUMENTS; ++i) {
        const uint8_t* record = bytes + HSS_MOD_INSTRUMENT_AT + i * HSS_MOD_INSTRUMENT_SIZE;
        needed += 2u * ((record[22] << 8) | record[23]);
    }
    // Patterns or samples that run past the file would be read out of bounds.
    if (needed > size)
        return HSS_NO_DATA;
    moduleBytes.assign(bytes, bytes + needed);
    trackCount = tracks;
    patterns = highest + 1;
    playbackFrequency = 44100;
    frequency = 44100;
    defaultValue = 128;
    return HSS_OK;
}
