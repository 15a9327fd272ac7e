// The loaded sound data that a player and its clones share: a wave sound or a module.
#pragma once

#include "lang/DObject.h"
#include "microedition/media/DPlayerSourceMod.ptr"
#include "microedition/media/DPlayerSourceWav.ptr"
#include "sound/hssMusic.h"
#include "sound/hssSound.h"

namespace vela::microedition::media {

class DPlayerSourceWav : public lang::DObject {
public:
    const char* getClassName() const override { return "DPlayerSourceWav"; }

    // A new sound plays at full level, centred, unlimited and without looping.
    hssSound sound;
    bool loaded = false;
};

class DPlayerSourceMod : public lang::DObject {
public:
    const char* getClassName() const override { return "DPlayerSourceMod"; }

    hssMusic music;
    bool loaded = false;
};

} // namespace vela::microedition::media
