// Damaged and hostile files: random corruption of valid waves and modules, loaded and played.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"
#include "sound/hssSound.h"
#include "sound/hssStatus.h"

#include <gtest/gtest.h>

#include <memory>

using namespace soundtest;

namespace {

// A small deterministic generator, so a failure reproduces.
struct Lcg {
    uint32_t state;
    uint32_t next()
    {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

Bytes corrupt(const Bytes& original, Lcg& random)
{
    Bytes copy = original;
    int edits = 1 + random.next() % 8;
    for (int i = 0; i < edits; ++i) {
        switch (random.next() % 4) {
        case 0:
            copy[random.next() % copy.size()] = static_cast<uint8_t>(random.next());
            break;
        case 1:
            copy[random.next() % 64] = static_cast<uint8_t>(random.next());   // headers
            break;
        case 2: {
            size_t at = 950 + random.next() % 140;   // song, orders and signature of a module
            if (at < copy.size())
                copy[at] = static_cast<uint8_t>(random.next());
            break;
        }
        default:
            copy.resize(1 + random.next() % copy.size());
            break;
        }
    }
    return copy;
}

// Loads from an exact-size heap copy, so the sanitizers see any read past the end.
template <class Loaded>
int loadExact(Loaded& target, const Bytes& bytes)
{
    std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), exact.get());
    return target.load(exact.get(), bytes.size());
}

Bytes richModule()
{
    ModuleBuilder builder(6, "6CHN");
    builder.setOrders({0, 1, 0});
    builder.setSample(1, std::vector<int8_t>(300, 20), 64, 2, 10, 100);
    builder.setSample(2, std::vector<int8_t>(64, -20), 40, 9, 0, 1);
    for (int row = 0; row < 64; ++row)
        for (int track = 0; track < 6; ++track)
            builder.setCell(row % 2, row, track, {1 + (row + track) % 2, 100 + row * 20, (row * 7 + track) % 16, row * 3});
    return builder.build();
}

}

TEST(HostileInput, CorruptedWavesLoadOrFailCleanly)
{
    Bytes adpcm;
    putLe16(adpcm, 2);
    putLe16(adpcm, 2);
    putLe32(adpcm, 8000);
    putLe32(adpcm, 8000);
    putLe16(adpcm, 64);
    putLe16(adpcm, 4);
    putLe16(adpcm, 32);
    putLe16(adpcm, 52);
    putLe16(adpcm, 7);
    for (int i = 0; i < 14; ++i)
        putLe16(adpcm, i * 40 - 200);
    const Bytes originals[] = {
        makeWave(pcmFormat(2, 22050, 16), Bytes(400, 3)),
        makeWave(pcmFormat(1, 8000, 8), Bytes(301, 200)),
        makeWave(adpcm, Bytes(64 * 5, 0x37)),
    };
    Lcg random{1};
    MemoryEngine engine(44100, 16, 1, 1, 8);
    int played = 0;
    for (const Bytes& original : originals) {
        for (int round = 0; round < 1500; ++round) {
            Bytes bad = corrupt(original, random);
            hssSound sound;
            int status = loadExact(sound, bad);
            ASSERT_TRUE(status == HSS_OK || status == HSS_NO_DATA || status == HSS_UNSUPPORTED || status == HSS_NOT_WAVE) << status;
            if (status == HSS_OK && sound.length() > 0) {
                sound.frequency = 1 + random.next() % 96000;
                played += engine.speaker.playSound(&sound) >= 0;
                engine.render(200);
                engine.speaker.stopAll();
            }
        }
    }
    EXPECT_GT(played, 300);
}

TEST(HostileInput, CorruptedModulesLoadOrFailCleanly)
{
    const Bytes original = richModule();
    Lcg random{7};
    MemoryEngine engine(22050, 8, 1, 1, 8);
    int played = 0;
    for (int round = 0; round < 2000; ++round) {
        Bytes bad = corrupt(original, random);
        hssMusic music;
        int status = loadExact(music, bad);
        ASSERT_TRUE(status == HSS_OK || status == HSS_NO_DATA || status == HSS_UNSUPPORTED) << status;
        if (status == HSS_OK) {
            music.loop = (round % 2) == 0;
            if (engine.speaker.playMusic(&music) >= 0) {
                engine.render(3000);
                ++played;
            }
            engine.speaker.stopAll();
        }
    }
    EXPECT_GT(played, 200);   // enough damaged songs got through to the mixer
}
