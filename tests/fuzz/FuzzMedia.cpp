// Fuzz targets of the media formats: waves and modules (loaded, then mixed for a moment) and
// PNG and JPEG pictures (decoded, then turned every way the runtime turns them).
#include "FuzzTargets.h"

#include "host/PictureDecoder.h"
#include "sound/hssMemoryDriver.h"
#include "sound/hssMusic.h"
#include "sound/hssSound.h"
#include "sound/hssSpeaker.h"
#include "sound/hssStatus.h"

#include <string>
#include <vector>

namespace fuzz {

namespace {

// One speaker for the life of the process, opened at the format each sound kind likes.
hssSpeaker& speaker(int frequency, int bits, int stereo)
{
    static hssSpeaker shared(hssCreateMemoryDriver);
    if (shared.isOpen())
        shared.close();
    shared.open(frequency, bits, stereo, 1, 8);
    return shared;
}

void mixAMoment(hssSpeaker& out)
{
    std::vector<uint8_t> buffer(8000);
    static_cast<hssMemoryDriver*>(out.driver())->render(buffer.data(), int(buffer.size()));
    out.stopAll();
}

void pictureInput(const uint8_t* data, size_t size, bool png)
{
    host::RgbaPicture rgba;
    std::string error;
    const bool decoded = png ? host::decodePng(data, size, rgba, error)
                             : host::decodeJpeg(data, size, rgba, error);
    if (!decoded)
        return;
    host::Surface surface;
    if (!host::decodePicture(data, size, surface, error))
        return;
    for (int transform : {host::TRANSFORM_MIRROR, host::TRANSFORM_ROT180, host::TRANSFORM_ROT90,
                          host::TRANSFORM_ROT270})
        host::transformed(surface, transform);
}

} // namespace

void waveInput(const uint8_t* data, size_t size)
{
    hssSound sound;
    if (sound.load(data, size) != HSS_OK)
        return;
    hssSpeaker& out = speaker(44100, 16, 1);
    if (out.playSound(&sound) >= 0)
        mixAMoment(out);
}

void moduleInput(const uint8_t* data, size_t size)
{
    hssMusic music;
    if (music.load(data, size) != HSS_OK)
        return;
    music.loop = size % 2 == 0;
    hssSpeaker& out = speaker(8000, 8, 0); // a low rate reaches many rows quickly
    if (out.playMusic(&music) >= 0)
        mixAMoment(out);
}

void pngInput(const uint8_t* data, size_t size)
{
    pictureInput(data, size, true);
}

void jpegInput(const uint8_t* data, size_t size)
{
    pictureInput(data, size, false);
}

} // namespace fuzz
