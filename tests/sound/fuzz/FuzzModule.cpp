// Fuzz target: any bytes as a module, loaded and, when accepted, played for a few rows.
#include "sound/hssMemoryDriver.h"
#include "sound/hssMusic.h"
#include "sound/hssSpeaker.h"
#include "sound/hssStatus.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    hssMusic music;
    if (music.load(data, size) != HSS_OK)
        return 0;
    static hssSpeaker speaker(hssCreateMemoryDriver);
    if (!speaker.isOpen())
        speaker.open(8000, 8, 0, 1, 8);   // a low rate reaches many rows quickly
    music.loop = size % 2 == 0;
    if (speaker.playMusic(&music) >= 0) {
        std::vector<uint8_t> out(8000);
        static_cast<hssMemoryDriver*>(speaker.driver())->render(out.data(), static_cast<int>(out.size()));
    }
    speaker.stopAll();
    return 0;
}
