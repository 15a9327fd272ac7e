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
    const uint8_t* data() const { return data_.empty() ? nullptr : data_.data(); }
    bool is8bit() const { return is8bit_; }
    bool isStereo() const { return stereo_; }
    int sampleRate() const { return sampleRate_; }
    int length() const { return length_; }   // frames

    int level = 64;
    int pan = 128;
    int frequency = 0;
    bool loop = false;
    int instanceLimit = -1;   // -1: unlimited

private:
    std::vector<uint8_t> data_;
    bool is8bit_ = false;
    bool stereo_ = false;
    int sampleRate_ = 0;
    int length_ = 0;
};
