// The player of wave sounds ("audio/x-wav"): overlapping copies, rewind and pan.
#pragma once

#include "microedition/media/DPlayer.h"
#include "microedition/media/DPlayerSource.h"
#include "microedition/media/DPlayerWav.ptr"

namespace vela::microedition::media {

class DPlayerWav : public DPlayer {
public:
    explicit DPlayerWav(io::DInputStreamPtr stream) : DPlayer(KIND_WAVE, stream) { }
    const char* getClassName() const override { return "DPlayerWav"; }

    lang::DStringPtr getContentType() override;
    // Pan -128 (left) .. 127 (right).
    int32_t getPan() override;
    int32_t setPan(int32_t pan) override;

protected:
    lang::DObjectPtr newSource() override;
    bool sourceLoaded() const override;
    bool loadSource(const uint8_t* bytes, int32_t size) override;
    int32_t playOn(hssSpeaker& speaker) override;
    DPlayerPtr cloneSharingSource() override;

private:
    DPlayerSourceWav* wave() const { return static_cast<DPlayerSourceWav*>(getSource()); }
};

} // namespace vela::microedition::media
