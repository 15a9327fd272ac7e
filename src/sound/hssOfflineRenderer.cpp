// Offline rendering through a memory driver, and the wave file around the result.
#include "sound/hssOfflineRenderer.h"

#include "sound/hssMemoryDriver.h"
#include "sound/hssMusic.h"
#include "sound/hssSound.h"
#include "sound/hssSpeaker.h"
#include "sound/hssStatus.h"

// Output is cut afterwards where the channel stopped, so the piece size does not matter.
static const int CHUNK_FRAMES = 1024;

int hssRenderOffline(const uint8_t* bytes, size_t size, bool module, const hssRenderSettings& settings,
                     std::vector<uint8_t>& pcm)
{
    hssSpeaker speaker(hssCreateMemoryDriver);
    int status = speaker.open(settings.frequency, settings.bits, settings.stereo ? 1 : 0, 1, 8);
    if (status != HSS_OK)
        return status;
    const bool timed = settings.seconds >= 0;
    hssSound sound;
    hssMusic music;
    if (module) {
        status = music.load(bytes, size);
        music.loop = timed;
    } else {
        status = sound.load(bytes, size);
    }
    if (status != HSS_OK)
        return status;
    int id = module ? speaker.playMusic(&music) : speaker.playSound(&sound);
    if (id < 0)
        return id;
    hssChannel* channel = speaker.channel(id);
    hssMemoryDriver* driver = static_cast<hssMemoryDriver*>(speaker.driver());
    const int bytesPerFrame = (settings.bits / 8) * (settings.stereo ? 2 : 1);
    const double seconds = timed ? settings.seconds : static_cast<double>(HSS_RENDER_MAX_SECONDS);
    const int64_t limit = static_cast<int64_t>(seconds * settings.frequency);
    int64_t frames = 0;
    while (frames < limit && (timed || !channel->isStopped())) {
        int chunk = limit - frames < CHUNK_FRAMES ? static_cast<int>(limit - frames) : CHUNK_FRAMES;
        size_t at = pcm.size();
        pcm.resize(at + static_cast<size_t>(chunk) * bytesPerFrame);
        driver->render(pcm.data() + at, chunk * bytesPerFrame);
        frames += chunk;
    }
    if (!timed)
        pcm.resize(pcm.size() - static_cast<size_t>(frames - channel->framesPlayed()) * bytesPerFrame);
    return HSS_OK;
}

static void putLe(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<uint8_t> hssWaveFileOf(const std::vector<uint8_t>& pcm, const hssRenderSettings& settings)
{
    const uint32_t channels = settings.stereo ? 2 : 1;
    const uint32_t blockAlign = channels * settings.bits / 8;
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    putLe(out, static_cast<uint32_t>(36 + pcm.size()), 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    putLe(out, 16, 4);
    putLe(out, 1, 2);
    putLe(out, channels, 2);
    putLe(out, static_cast<uint32_t>(settings.frequency), 4);
    putLe(out, static_cast<uint32_t>(settings.frequency) * blockAlign, 4);
    putLe(out, blockAlign, 2);
    putLe(out, static_cast<uint32_t>(settings.bits), 2);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    putLe(out, static_cast<uint32_t>(pcm.size()), 4);
    out.insert(out.end(), pcm.begin(), pcm.end());
    return out;
}
