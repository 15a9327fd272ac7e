// The player of tracker modules ("audio/mod").
#pragma once

#include "microedition/media/DPlayer.h"
#include "microedition/media/DPlayerMod.ptr"
#include "microedition/media/DPlayerSource.h"

namespace vela::microedition::media {

class DPlayerMod : public DPlayer {
public:
    explicit DPlayerMod(io::DInputStreamPtr stream) : DPlayer(KIND_MODULE, stream) { }
    const char* getClassName() const override { return "DPlayerMod"; }

    lang::DStringPtr getContentType() override;

protected:
    lang::DObjectPtr newSource() override;
    bool sourceLoaded() const override;
    bool loadSource(const uint8_t* bytes, int32_t size) override;
    int32_t playOn(hssSpeaker& speaker) override;
    DPlayerPtr cloneSharingSource() override;

private:
    DPlayerSourceMod* module() const { return static_cast<DPlayerSourceMod*>(getSource()); }
};

} // namespace vela::microedition::media
