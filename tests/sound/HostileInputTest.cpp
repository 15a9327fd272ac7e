// Damaged and hostile files: random corruption of valid waves and modules, loaded and played.
#include "SoundFixtures.h"

#include "sound/hssMusic.h"
#include "sound/hssSound.h"

using namespace soundtest;

namespace {

// A small deterministic generator, so a failure reproduces.
struct Lcg {
    uint32_t state;
    uint32_t next() { return (state = state * 1664525u + 1013904223u) >> 8; }
};

// Overwrites random bytes (anywhere, in the headers, or in a module's song and signature) or truncates.
Bytes corrupt(Bytes copy, Lcg& random)
{
    for (int edits = 1 + random.next() % 8; edits > 0; --edits) {
        const uint32_t kind = random.next() % 4;
        if (kind == 3) {
            copy.resize(1 + random.next() % copy.size());
            continue;
        }
        const size_t at = kind == 0 ? random.next() % copy.size() : kind == 1 ? random.next() % 64 : 950 + random.next() % 140;
        if (at < copy.size())
            copy[at] = static_cast<uint8_t>(random.next());
    }
    return copy;
}

}

TEST(HostileInput, CorruptedWavesLoadOrFailCleanly)
{
    const Bytes originals[] = {
        makeWave(pcmFormat(2, 22050, 16), Bytes(400, 3)),
        makeWave(pcmFormat(1, 8000, 8), Bytes(301, 200)),
        makeWave(adpcmFormat(2, 7, 64), Bytes(64 * 5, 0x37)),
    };
    Lcg random{1};
    MemoryEngine engine(44100, 16, 1, 1, 8);
    int played = 0;
    for (const Bytes& original : originals)
        for (int round = 0; round < 1500; ++round) {
            hssSound sound;
            const int status = loadExact(sound, corrupt(original, random));
            ASSERT_TRUE(status == HSS_OK || status == HSS_NO_DATA || status == HSS_UNSUPPORTED || status == HSS_NOT_WAVE) << status;
            if (status == HSS_OK && sound.length() > 0) {
                sound.frequency = 1 + random.next() % 96000;
                played += engine.speaker.playSound(&sound) >= 0;
                engine.render(200);
                engine.speaker.stopAll();
            }
        }
    EXPECT_GT(played, 300);
}

TEST(HostileInput, CorruptedModulesLoadOrFailCleanly)
{
    ModuleBuilder builder(6, "6CHN");
    builder.setOrders({0, 1, 0});
    builder.setSample(1, std::vector<int8_t>(300, 20), 64, 2, 10, 100);
    builder.setSample(2, std::vector<int8_t>(64, -20), 40, 9, 0, 1);
    for (int row = 0; row < 64; ++row)
        for (int track = 0; track < 6; ++track)
            builder.setCell(row % 2, row, track, {1 + (row + track) % 2, 100 + row * 20, (row * 7 + track) % 16, row * 3});
    const Bytes original = builder.build();
    Lcg random{7};
    MemoryEngine engine(22050, 8, 1, 1, 8);
    int played = 0;
    for (int round = 0; round < 2000; ++round) {
        hssMusic music;
        const int status = loadExact(music, corrupt(original, random));
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
