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
    : factory_(factory), latencyMs_(latencyMs)
{
}

hssSpeaker::~hssSpeaker()
{
    close();
}

int hssSpeaker::open(int frequency, int bits, int stereo, int musicChannels, int soundChannels)
{
    if (open_)
        return HSS_ALREADY_OPEN;
    if (!factory_)
        return HSS_NO_DEVICE;
    driver_ = factory_();
    if (!driver_)
        return HSS_DRIVER_FAILED;
    hssFormat format = {frequency, bits == 8 ? HSS_FORMAT_8BIT : bits == 16 ? HSS_FORMAT_16BIT : 0,
                        stereo == 1 ? 2 : 1};
    int bufferFrames = static_cast<int>(static_cast<int64_t>(latencyMs_) * frequency / 1000);
    int status = format.valid() ? driver_->open(format, bufferFrames, mixCallback, this) : HSS_NO_DEVICE;
    if (status != HSS_OK) {
        delete driver_;
        driver_ = nullptr;
        return status;
    }
    frequency_ = frequency;
    is16bit_ = bits == 16;
    stereo_ = format.channels == 2;
    buildNoteTables();
    status = allocatePools(clamp(musicChannels, 1, 64), clamp(soundChannels, 8, 128));
    if (status != HSS_OK) {
        driver_->close();
        delete driver_;
        driver_ = nullptr;
        return status;
    }
    masterMusicLevel_ = 64;
    masterSoundLevel_ = 64;
    open_ = true;
    driver_->resume();
    return HSS_OK;
}

int hssSpeaker::allocatePools(int musicChannels, int soundChannels)
{
    try {
        for (int i = 0; i < musicChannels; ++i)
            music_.emplace_back(new hssMusicChannel(this));
        activeMusic_.reserve(musicChannels);
        for (int i = 0; i < soundChannels; ++i)
            sounds_.emplace_back(new hssSoundChannel(this));
        activeSounds_.reserve(soundChannels);
    } catch (const std::bad_alloc&) {
        freePools();
        return HSS_NO_DATA;
    }
    return HSS_OK;
}

void hssSpeaker::freePools()
{
    music_.clear();
    sounds_.clear();
    activeMusic_.clear();
    activeSounds_.clear();
    music_.shrink_to_fit();
    sounds_.shrink_to_fit();
}

int hssSpeaker::close()
{
    if (!open_)
        return HSS_NOT_OPEN;
    int status = driver_->close();
    delete driver_;
    driver_ = nullptr;
    freePools();
    open_ = false;
    return status;
}

void hssSpeaker::buildNoteTables()
{
    const int16_t* base = hssPeriodTable();
    steps_[0] = 0;
    nearest_[0] = 0;
    for (int period = 1; period <= HSS_PERIOD_MAX; ++period) {
        int64_t hz = NTSC_CLOCK / (2 * period);
        steps_[period] = static_cast<int32_t>((hz * 4096) / frequency_);
        int best = 0;
        int bestDistance = std::abs(base[0] - period);
        for (int n = 1; n < HSS_NOTES && bestDistance != 0; ++n) {
            int distance = std::abs(base[n] - period);
            if (distance < bestDistance) {
                best = n;
                bestDistance = distance;
            }
        }
        nearest_[period] = static_cast<uint8_t>(best);
    }
}

int hssSpeaker::nearestNote(int period) const
{
    if (period < 1)
        return 0;
    return period > HSS_PERIOD_MAX ? 0 : nearest_[period];
}

int hssSpeaker::playSound(const hssSound* sound, int)
{
    if (!open_)
        return HSS_NO_CHANNEL;
    if (!sound || !sound->data())
        return HSS_NO_DATA;
    hssDriverLock lock(driver_);
    const bool limited = sound->instanceLimit != -1;
    int candidate = -1;
    int instances = 0;
    for (int i = 0; i < soundChannelCount(); ++i) {
        hssSoundChannel& channel = *sounds_[i];
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
    hssSoundChannel& channel = *sounds_[candidate];
    channel.start(*sound);
    channel.setStopped(false);
    channel.setPaused(false);
    return musicChannelCount() + candidate;
}

int hssSpeaker::playMusic(const hssMusic* music, int)
{
    if (!open_)
        return HSS_NO_CHANNEL;
    if (!music || !music->data())
        return HSS_NO_DATA;
    if (music->tracks() < 1 || music->tracks() > HSS_MOD_MAX_TRACKS)
        return HSS_UNSUPPORTED;
    hssDriverLock lock(driver_);
    for (int i = 0; i < musicChannelCount(); ++i) {
        if (music_[i]->isFree()) {
            int status = music_[i]->start(*music);
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
        return music_[id].get();
    id -= musicChannelCount();
    return id < soundChannelCount() ? sounds_[id].get() : nullptr;
}

void hssSpeaker::setMasterMusicLevel(int level)
{
    masterMusicLevel_ = clamp(level, 0, 64);
    for (auto& channel : music_)
        channel->setVolume(channel->volume());
}

void hssSpeaker::setMasterSoundLevel(int level)
{
    masterSoundLevel_ = clamp(level, 0, 64);
    for (auto& channel : sounds_)
        channel->setVolume(channel->volume());
}

void hssSpeaker::stopAll()
{
    for (auto& channel : music_) {
        channel->setStopped(true);
        channel->setPaused(false);
    }
    for (auto& channel : sounds_) {
        channel->setStopped(true);
        channel->setPaused(false);
    }
}

void hssSpeaker::pause()
{
    if (open_)
        driver_->pause();
}

void hssSpeaker::resume()
{
    if (open_)
        driver_->resume();
}

void hssSpeaker::mixCallback(void* user, uint8_t* buffer, int bytes)
{
    static_cast<hssSpeaker*>(user)->mix(buffer, bytes);
}

void hssSpeaker::mix(uint8_t* buffer, int bytes)
{
    const int bytesPerFrame = (is16bit_ ? 2 : 1) * (stereo_ ? 2 : 1);
    const int frames = open_ ? bytes / bytesPerFrame : 0;
    activeMusic_.clear();
    activeSounds_.clear();
    for (int i = 0; frames > 0 && i < musicChannelCount(); ++i)
        if (music_[i]->isActive())
            activeMusic_.push_back(music_[i].get());
    for (int i = 0; frames > 0 && i < soundChannelCount(); ++i)
        if (sounds_[i]->isActive())
            activeSounds_.push_back(sounds_[i].get());
    int mixed = 0;
    if (!activeMusic_.empty() || !activeSounds_.empty()) {
        for (; mixed < frames; mixed += MIX_CHUNK) {
            int chunk = frames - mixed < MIX_CHUNK ? frames - mixed : MIX_CHUNK;
            mixChunk(buffer + mixed * bytesPerFrame, chunk);
        }
        mixed = frames;
    }
    std::memset(buffer + mixed * bytesPerFrame, is16bit_ ? 0 : 0x80, bytes - mixed * bytesPerFrame);
}

void hssSpeaker::mixChunk(uint8_t* out, int frames)
{
    const int samples = frames * (stereo_ ? 2 : 1);
    std::memset(musicSums_, 0, sizeof(int32_t) * samples);
    std::memset(soundSums_, 0, sizeof(int32_t) * samples);
    for (hssMusicChannel* channel : activeMusic_)
        if (!channel->isStopped())
            channel->mix(musicSums_, frames, stereo_);
    for (hssSoundChannel* channel : activeSounds_)
        if (!channel->isStopped())
            channel->mix(soundSums_, frames, stereo_);
    if (is16bit_) {
        for (int i = 0; i < samples; ++i) {
            int16_t value = static_cast<int16_t>(clamp(musicSums_[i] + (soundSums_[i] >> SOUND_SHIFT), -32768, 32767));
            std::memcpy(out + 2 * i, &value, 2);
        }
    } else {
        for (int i = 0; i < samples; ++i)
            out[i] = static_cast<uint8_t>(clamp((musicSums_[i] + (soundSums_[i] >> SOUND_SHIFT)) >> 8, -128, 127) + 128);
    }
}
