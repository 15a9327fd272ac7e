// Fuzz target: any bytes as a wave file, loaded and, when accepted, mixed for a moment.
#include "sound/hssMemoryDriver.h"
#include "sound/hssSound.h"
#include "sound/hssSpeaker.h"
#include "sound/hssStatus.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    hssSound sound;
    if (sound.load(data, size) != HSS_OK)
        return 0;
    static hssSpeaker speaker(hssCreateMemoryDriver);
    if (!speaker.isOpen())
        speaker.open(44100, 16, 1, 1, 8);
    if (speaker.playSound(&sound) >= 0) {
        std::vector<uint8_t> out(4096);
        static_cast<hssMemoryDriver*>(speaker.driver())->render(out.data(), static_cast<int>(out.size()));
    }
    speaker.stopAll();
    return 0;
}
