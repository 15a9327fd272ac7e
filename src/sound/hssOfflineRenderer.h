// Offline rendering: plays a wave file or a module through the engine's own mixer into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct hssRenderSettings {
    int frequency = 44100;
    int bits = 16;
    bool stereo = true;
    // Negative: until the end (a module plays once); otherwise exactly this long, a module looping.
    double seconds = -1;
};

enum { HSS_RENDER_MAX_SECONDS = 3600 };

// Appends the mixed PCM to `pcm`; answers 0 or the engine's negative status.
int hssRenderOffline(const uint8_t* bytes, size_t size, bool module, const hssRenderSettings& settings,
                     std::vector<uint8_t>& pcm);

// A RIFF wave file holding `pcm` in the settings' format.
std::vector<uint8_t> hssWaveFileOf(const std::vector<uint8_t>& pcm, const hssRenderSettings& settings);
