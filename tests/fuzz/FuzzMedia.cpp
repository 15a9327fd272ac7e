// Fuzz target: any bytes as a wave file, or as a module when built with FUZZ_MODULE, loaded and, when accepted, mixed for a moment.
#include "sound/hssMemoryDriver.h"
#include "sound/hssMusic.h"
#include "sound/hssSound.h"
#include "sound/hssSpeaker.h"
#include "sound/hssStatus.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// One of the two serves each build.
inline int play(hssSpeaker& speaker, hssMusic& music, size_t size)
{
    music.loop = size % 2 == 0;
    return speaker.playMusic(&music);
}

inline int play(hssSpeaker& speaker, hssSound& sound, size_t)
{
    return speaker.playSound(&sound);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
#ifdef FUZZ_MODULE
    hssMusic loaded;
    const int frequency = 8000, bits = 8, stereo = 0;   // a low rate reaches many rows quickly
#else
    hssSound loaded;
    const int frequency = 44100, bits = 16, stereo = 1;
#endif
    if (loaded.load(data, size) != HSS_OK)
        return 0;
    static hssSpeaker speaker(hssCreateMemoryDriver);
    if (!speaker.isOpen())
        speaker.open(frequency, bits, stereo, 1, 8);
    if (play(speaker, loaded, size) >= 0) {
        std::vector<uint8_t> out(8000);
        static_cast<hssMemoryDriver*>(speaker.driver())->render(out.data(), static_cast<int>(out.size()));
    }
    speaker.stopAll();
    return 0;
}
