// The rules simulator's world: a settable clock, a sound recorder and level files on disk.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "game/rules/GameHost.h"
#include "io/SevenZipArchive.h"

// Level files "0.bin", "1.bin", ... from a folder or from a 7z archive.
class SimLevels {
public:
    // False with a reason when the path is neither a readable folder nor a 7z archive.
    bool open(const std::string& path, std::string& error);
    vela::lang::DbyteArrayPtr read(int32_t index);

private:
    bool readBytes(int32_t index, std::vector<uint8_t>& bytes);

    std::string folder;
    vela::io::SevenZipArchive archive;
    std::map<std::string, uint32_t> members;
};

struct SimSound {
    int32_t index;
    int32_t pan;
    bool loop;
};

class SimHost : public tintrow::GameHost {
public:
    explicit SimHost(SimLevels& levels, int64_t clock) : levels(levels), clock(clock) { }

    int64_t currentTimeMillis() override { return clock; }
    void playSound(int32_t index, int32_t pan, bool loop) override;
    void setSoundPan(int32_t, int32_t) override { }
    void stopSound(int32_t) override { }
    int32_t volume(int32_t which) override { return volumes[which == 0 ? 0 : 1]; }
    void setVolumes(int32_t first, int32_t second) override;
    vela::lang::DbyteArrayPtr readLevel(int32_t index) override { return levels.read(index); }
    void drawLevelBackground() override { }
    void restartTimeIndicator() override { }
    void clearParticles() override { }
    void resetActions() override { }
    void refreshInGameMenu() override { }
    void showLevelTips() override { }

    SimLevels& levels;
    int64_t clock;
    std::vector<SimSound> sounds;
    int32_t volumes[2] = {30, 20};
};
