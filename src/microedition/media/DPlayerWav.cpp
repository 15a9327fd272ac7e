// Wave players: loading into the shared sound and playing it on the sound pool.
#include "microedition/media/DPlayerWav.h"

#include "sound/hssChannel.h"
#include "sound/hssSpeaker.h"
#include "sound/hssStatus.h"

namespace vela::microedition::media {

lang::DStringPtr DPlayerWav::getContentType()
{
    return lang::DStringPtr(new lang::DString(u"audio/x-wav"));
}

int32_t DPlayerWav::getPan()
{
    hssChannel* held = channel();
    return held ? held->pan() - 128 : 0;
}

int32_t DPlayerWav::setPan(int32_t pan)
{
    hssChannel* held = channel();
    if (!held)
        return 0;
    if (pan < -128)
        pan = -128;
    else if (pan > 127)
        pan = 127;
    held->setPan(pan + 128);
    return pan;
}

lang::DObjectPtr DPlayerWav::newSource()
{
    return lang::DObjectPtr(new DPlayerSourceWav());
}

bool DPlayerWav::sourceLoaded() const
{
    return wave()->loaded;
}

bool DPlayerWav::loadSource(const uint8_t* bytes, int32_t size)
{
    wave()->loaded = wave()->sound.load(bytes, static_cast<size_t>(size)) == HSS_OK;
    return wave()->loaded;
}

int32_t DPlayerWav::playOn(hssSpeaker& speaker)
{
    return speaker.playSound(&wave()->sound, PLAY_FLAGS);
}

DPlayerPtr DPlayerWav::cloneSharingSource()
{
    DPlayerWavPtr clone(new DPlayerWav(nullptr));
    clone->shareSource(getSource(), sourceLoaded());
    return clone;
}

} // namespace vela::microedition::media
