// Module players: loading into the shared module and playing it on the music pool.
#include "microedition/media/DPlayerMod.h"

#include "sound/hssSpeaker.h"
#include "sound/hssStatus.h"

namespace vela::microedition::media {

lang::DStringPtr DPlayerMod::getContentType()
{
    return lang::DStringPtr(new lang::DString(u"audio/mod"));
}

lang::DObjectPtr DPlayerMod::newSource()
{
    return lang::DObjectPtr(new DPlayerSourceMod());
}

bool DPlayerMod::sourceLoaded() const
{
    return module()->loaded;
}

bool DPlayerMod::loadSource(const uint8_t* bytes, int32_t size)
{
    module()->loaded = module()->music.load(bytes, static_cast<size_t>(size)) == HSS_OK;
    return module()->loaded;
}

int32_t DPlayerMod::playOn(hssSpeaker& speaker)
{
    return speaker.playMusic(&module()->music, PLAY_FLAGS);
}

DPlayerPtr DPlayerMod::cloneSharingSource()
{
    DPlayerModPtr clone(new DPlayerMod(nullptr));
    clone->shareSource(getSource(), sourceLoaded());
    return clone;
}

} // namespace vela::microedition::media
