// A sampled sound loaded from a wave file, ready for a sound channel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class hssSound {
public:
    // Replaces any earlier data; answers 0 or a negative status.
    int load(const uint8_t* bytes, size_t size);
    void release();

    // Little-endian 16-bit or unsigned 8-bit frames, interleaved when stereo.
    const uint8_t* data() const { return samples.empty() ? nullptr : samples.data(); }
    bool is8bit() const { return eightBit; }
    bool isStereo() const { return stereo; }
    int sampleRate() const { return rate; }
    int length() const { return frameCount; }   // frames

    int level = 64;
    int pan = 128;
    int frequency = 0;
    bool loop = false;
    int instanceLimit = -1;   // -1: unlimited

private:
    std::vector<uint8_t> samples;
    bool eightBit = false;
    bool stereo = false;
    int rate = 0;
    int frameCount = 0;
};
