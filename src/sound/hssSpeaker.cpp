// The sound engine: opening, channel allocation, master levels and the output mix.
#include "sound/hssSpeaker.h"

#include "sound/hssMusic.h"
#include "sound/hssSound.h"
#include "sound/hssStatus.h"

#include <cstdlib>
#include <cstring>
#include <new>

enum { NTSC_CLOCK = 7159090, SOUND_SHIFT = 7 };

static int clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

hssSpeaker::hssSpeaker(hssDriverFactory factory, int latencyMs)
    : factory(factory), latencyMs(latencyMs)
{
}

hssSpeaker::~hssSpeaker()
{
    close();
}

int hssSpeaker::open(int frequency, int bits, int stereo, int musicChannels, int soundChannels)
{
    if (opened)
        return HSS_ALREADY_OPEN;
    if (!factory)
        return HSS_NO_DEVICE;
    output = factory();
    if (!output)
        return HSS_DRIVER_FAILED;
    hssFormat format = {frequency, bits == 8 ? HSS_FORMAT_8BIT : bits == 16 ? HSS_FORMAT_16BIT : 0,
                        stereo == 1 ? 2 : 1};
    int bufferFrames = static_cast<int>(static_cast<int64_t>(latencyMs) * frequency / 1000);
    int status = format.valid() ? output->open(format, bufferFrames, mixCallback, this) : HSS_NO_DEVICE;
    if (status != HSS_OK) {
        delete output;
        output = nullptr;
        return status;
    }
    mixFrequency = frequency;
    sixteenBit = bits == 16;
    stereoOutput = format.channels == 2;
    buildNoteTables();
    status = allocatePools(clamp(musicChannels, 1, 64), clamp(soundChannels, 8, 128));
    if (status != HSS_OK) {
        output->close();
        delete output;
        output = nullptr;
        return status;
    }
    masterMusic = 64;
    masterSound = 64;
    opened = true;
    output->resume();
    return HSS_OK;
}

int hssSpeaker::allocatePools(int musicChannels, int soundChannels)
{
    try {
        for (int i = 0; i < musicChannels; ++i)
            musicPool.emplace_back(new hssMusicChannel(this));
        activeMusic.reserve(musicChannels);
        for (int i = 0; i < soundChannels; ++i)
            soundPool.emplace_back(new hssSoundChannel(this));
        activeSounds.reserve(soundChannels);
    } catch (const std::bad_alloc&) {
        freePools();
        return HSS_NO_DATA;
    }
    return HSS_OK;
}

void hssSpeaker::freePools()
{
    musicPool.clear();
    soundPool.clear();
    activeMusic.clear();
    activeSounds.clear();
    musicPool.shrink_to_fit();
    soundPool.shrink_to_fit();
}

int hssSpeaker::close()
{
    if (!opened)
        return HSS_NOT_OPEN;
    int status = output->close();
    delete output;
    output = nullptr;
    freePools();
    opened = false;
    return status;
}

void hssSpeaker::buildNoteTables()
{
    const int16_t* base = hssPeriodTable();
    steps[0] = 0;
    nearest[0] = 0;
    for (int period = 1; period <= HSS_PERIOD_MAX; ++period) {
        int64_t hz = NTSC_CLOCK / (2 * period);
        steps[period] = static_cast<int32_t>((hz * 4096) / mixFrequency);
        int best = 0;
        int bestDistance = std::abs(base[0] - period);
        for (int n = 1; n < HSS_NOTES && bestDistance != 0; ++n) {
            int distance = std::abs(base[n] - period);
            if (distance < bestDistance) {
                best = n;
                bestDistance = distance;
            }
        }
        nearest[period] = static_cast<uint8_t>(best);
    }
}

int hssSpeaker::nearestNote(int period) const
{
    if (period < 1)
        return 0;
    return period > HSS_PERIOD_MAX ? 0 : nearest[period];
}

int hssSpeaker::playSound(const hssSound* sound, int)
{
    if (!opened)
        return HSS_NO_CHANNEL;
    if (!sound || !sound->data())
        return HSS_NO_DATA;
    hssDriverLock lock(output);
    const bool limited = sound->instanceLimit != -1;
    int candidate = -1;
    int instances = 0;
    for (int i = 0; i < soundChannelCount(); ++i) {
        hssSoundChannel& channel = *soundPool[i];
        if (channel.isFree()) {
            if (candidate < 0 || limited)
                candidate = i;
            if (!limited)
                break;
        } else if (channel.sampleData() == sound->data()) {
            ++instances;
        }
    }
    if (candidate < 0 || (limited && instances >= sound->instanceLimit))
        return HSS_NO_CHANNEL;
    hssSoundChannel& channel = *soundPool[candidate];
    channel.start(*sound);
    channel.setStopped(false);
    channel.setPaused(false);
    return musicChannelCount() + candidate;
}

int hssSpeaker::playMusic(const hssMusic* music, int)
{
    if (!opened)
        return HSS_NO_CHANNEL;
    if (!music || !music->data())
        return HSS_NO_DATA;
    if (music->tracks() < 1 || music->tracks() > HSS_MOD_MAX_TRACKS)
        return HSS_UNSUPPORTED;
    hssDriverLock lock(output);
    for (int i = 0; i < musicChannelCount(); ++i) {
        if (musicPool[i]->isFree()) {
            int status = musicPool[i]->start(*music);
            return status == HSS_OK ? i : status;
        }
    }
    return HSS_NO_CHANNEL;
}

hssChannel* hssSpeaker::channel(int id)
{
    if (id < 0)
        return nullptr;
    if (id < musicChannelCount())
        return musicPool[id].get();
    id -= musicChannelCount();
    return id < soundChannelCount() ? soundPool[id].get() : nullptr;
}

void hssSpeaker::setMasterMusicLevel(int level)
{
    masterMusic = clamp(level, 0, 64);
    for (auto& channel : musicPool)
        channel->setVolume(channel->volume());
}

void hssSpeaker::setMasterSoundLevel(int level)
{
    masterSound = clamp(level, 0, 64);
    for (auto& channel : soundPool)
        channel->setVolume(channel->volume());
}

void hssSpeaker::stopAll()
{
    for (auto& channel : musicPool) {
        channel->setStopped(true);
        channel->setPaused(false);
    }
    for (auto& channel : soundPool) {
        channel->setStopped(true);
        channel->setPaused(false);
    }
}

void hssSpeaker::pause()
{
    if (opened)
        output->pause();
}

void hssSpeaker::resume()
{
    if (opened)
        output->resume();
}

void hssSpeaker::mixCallback(void* user, uint8_t* buffer, int bytes)
{
    static_cast<hssSpeaker*>(user)->mix(buffer, bytes);
}

void hssSpeaker::mix(uint8_t* buffer, int bytes)
{
    const int bytesPerFrame = (sixteenBit ? 2 : 1) * (stereoOutput ? 2 : 1);
    const int frames = opened ? bytes / bytesPerFrame : 0;
    activeMusic.clear();
    activeSounds.clear();
    for (int i = 0; frames > 0 && i < musicChannelCount(); ++i)
        if (musicPool[i]->isActive())
            activeMusic.push_back(musicPool[i].get());
    for (int i = 0; frames > 0 && i < soundChannelCount(); ++i)
        if (soundPool[i]->isActive())
            activeSounds.push_back(soundPool[i].get());
    int mixed = 0;
    if (!activeMusic.empty() || !activeSounds.empty()) {
        for (; mixed < frames; mixed += MIX_CHUNK) {
            int chunk = frames - mixed < MIX_CHUNK ? frames - mixed : MIX_CHUNK;
            mixChunk(buffer + mixed * bytesPerFrame, chunk);
        }
        mixed = frames;
    }
    std::memset(buffer + mixed * bytesPerFrame, sixteenBit ? 0 : 0x80, bytes - mixed * bytesPerFrame);
}

void hssSpeaker::mixChunk(uint8_t* out, int frames)
{
    const int samples = frames * (stereoOutput ? 2 : 1);
    std::memset(musicSums, 0, sizeof(int32_t) * samples);
    std::memset(soundSums, 0, sizeof(int32_t) * samples);
    for (hssMusicChannel* channel : activeMusic)
        if (!channel->isStopped())
            channel->mix(musicSums, frames, stereoOutput);
    for (hssSoundChannel* channel : activeSounds)
        if (!channel->isStopped())
            channel->mix(soundSums, frames, stereoOutput);
    if (sixteenBit) {
        for (int i = 0; i < samples; ++i) {
            int16_t value = static_cast<int16_t>(clamp(musicSums[i] + (soundSums[i] >> SOUND_SHIFT), -32768, 32767));
            std::memcpy(out + 2 * i, &value, 2);
        }
    } else {
        for (int i = 0; i < samples; ++i)
            out[i] = static_cast<uint8_t>(clamp((musicSums[i] + (soundSums[i] >> SOUND_SHIFT)) >> 8, -128, 127) + 128);
    }
}
