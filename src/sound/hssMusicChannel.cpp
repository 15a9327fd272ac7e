// Music channel: taking a module, channel level and pan, song position and the track mixer.
#include "sound/hssMusicChannel.h"

#include "sound/hssSpeaker.h"
#include "sound/hssStatus.h"
#include "sound/hssTables.h"

enum { FRACTION_BITS = 12, NO_RESTART = 127 };

static int clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

int hssMusicChannel::masterLevel() const
{
    return owner_->masterMusicLevel();
}

void hssMusicChannel::loadInstruments()
{
    const uint8_t* bytes = music_->data();
    int64_t sampleAt = HSS_MOD_PATTERNS_AT + static_cast<int64_t>(music_->patternCount()) * HSS_MOD_ROWS * trackCount_ * 4;
    for (int i = 0; i < HSS_MOD_INSTRUMENTS; ++i) {
        const uint8_t* record = bytes + HSS_MOD_INSTRUMENT_AT + i * HSS_MOD_INSTRUMENT_SIZE;
        int64_t words = (record[22] << 8) | record[23];
        int64_t loopStart = (record[26] << 8) | record[27];
        int64_t loopLength = (record[28] << 8) | record[29];
        hssInstrument& instrument = instruments_[i];
        instrument.length = (words * 2) << FRACTION_BITS;
        instrument.finetune = record[24] & 0x0F;
        instrument.volume = record[25] > 64 ? 64 : record[25];
        instrument.loopStart = (loopStart * 2) << FRACTION_BITS;
        // A loop under two words is the file's way of saying "no loop".
        instrument.loopLength = loopLength < 2 ? 0 : (loopLength * 2) << FRACTION_BITS;
        instrument.data = words > 0 ? reinterpret_cast<const int8_t*>(bytes + sampleAt) : nullptr;
        sampleAt += words * 2;
    }
}

int hssMusicChannel::start(const hssMusic& music)
{
    if (music.tracks() < 1 || music.tracks() > HSS_MOD_MAX_TRACKS || !music.data())
        return HSS_UNSUPPORTED;
    music_ = &music;
    trackCount_ = music.tracks();
    songLength_ = music.songLength();
    patterns_ = music.data() + HSS_MOD_PATTERNS_AT;
    loadInstruments();
    playbackFrequency_ = music.playbackFrequency;
    frequencyChanged_ = true;
    tempo_ = 50;
    speed_ = 6;
    tickCounter_ = speed_;   // the first frame plays row 0
    sampleCounter_ = 0;
    order_ = 0;
    row_ = 0;
    int restart = music.data()[HSS_MOD_RESTART_AT];
    restartOrder_ = (restart == NO_RESTART || restart >= songLength_) ? 0 : restart;
    jumpOrder_ = NO_JUMP;
    jumpRow_ = 0;
    patternDelay_ = 0;
    framesPlayed_ = 0;
    for (hssTrack& track : tracks_)
        track = hssTrack();
    applyPan(music.pan);
    setLoop(music.loop);
    hssChannel::setVolume(music.level);
    refreshLevels();
    setStopped(false);
    setPaused(false);
    return HSS_OK;
}

void hssMusicChannel::refreshLevel(hssTrack& track)
{
    track.level = track.volume * effectiveLevel() / 64;
}

void hssMusicChannel::refreshLevels()
{
    for (int t = 0; t < trackCount_; ++t)
        refreshLevel(tracks_[t]);
}

void hssMusicChannel::setVolume(int level)
{
    hssDriverLock lock(owner_->driver());
    hssChannel::setVolume(level);
    refreshLevels();
}

void hssMusicChannel::applyPan(int pan)
{
    pan = clamp(pan, 0, 255);
    storePan(pan);
    int spread = (255 - pan) / 4;
    for (int t = 0; t < HSS_MOD_MAX_TRACKS; ++t)
        tracks_[t].pan = (t % 2 == 0) ? 64 + spread : 192 - spread;
}

void hssMusicChannel::setPan(int pan)
{
    hssDriverLock lock(owner_->driver());
    applyPan(pan);
}

int hssMusicChannel::getPosition()
{
    hssDriverLock lock(owner_->driver());
    return order_ * HSS_MOD_ROWS + row_;
}

void hssMusicChannel::setPosition(int position)
{
    hssDriverLock lock(owner_->driver());
    if (position < 0 || position / HSS_MOD_ROWS >= songLength_)
        return;
    order_ = position / HSS_MOD_ROWS;
    row_ = position % HSS_MOD_ROWS;
}

int hssMusicChannel::getLength()
{
    return songLength_ * HSS_MOD_ROWS;
}

int32_t hssMusicChannel::stepFor(int period) const
{
    if (period <= 0)
        return 0;
    if (period <= HSS_PERIOD_MAX)
        return owner_->stepForPeriod(period);
    // Negative finetunes reach a little beyond the lowest table note.
    return static_cast<int32_t>((static_cast<int64_t>(7159090 / (2 * period)) * 4096) / owner_->frequency());
}

// Runs the tick and row logic due at the start of a frame.
void hssMusicChannel::control()
{
    if (frequencyChanged_) {
        int scale = (playbackFrequency_ * 256) / 44100;
        int64_t perTick = scale > 0 ? (static_cast<int64_t>(owner_->frequency()) * 65536 / (scale * tempo_)) / 256
                                    : owner_->frequency() / tempo_;
        samplesPerTick_ = perTick > 0 ? static_cast<int>(perTick) : 1;
        frequencyChanged_ = false;
    }
    if (tickCounter_ == speed_) {
        if (patternDelay_ > 0)
            --patternDelay_;
        else
            processRow();
        tickCounter_ = 0;
    } else if (sampleCounter_ >= samplesPerTick_) {
        sampleCounter_ = 0;
        ++tickCounter_;
        if (tickCounter_ != speed_)
            tickEffects();
    }
}

void hssMusicChannel::mix(int32_t* sums, int frames, bool stereoOutput)
{
    const int lanes = stereoOutput ? 2 : 1;
    int done = 0;
    while (done < frames && !isStopped()) {
        control();
        if (isStopped())
            return;
        // Until the next tick nothing changes, so the tracks mix that stretch in one go.
        int run = 1;
        if (tickCounter_ != speed_ && !frequencyChanged_ && samplesPerTick_ - sampleCounter_ > 1)
            run = samplesPerTick_ - sampleCounter_;
        if (run > frames - done)
            run = frames - done;
        sampleCounter_ += run;
        mixTracks(sums + done * lanes, run, stereoOutput);
        done += run;
        framesPlayed_ += run;
    }
}

void hssMusicChannel::mixTracks(int32_t* sums, int frames, bool stereoOutput)
{
    for (int t = 0; t < trackCount_; ++t) {
        hssTrack& track = tracks_[t];
        if (track.instrument == 0)
            continue;
        const hssInstrument& instrument = instruments_[track.instrument - 1];
        if (!instrument.data)
            continue;
        const int64_t loopLength = instrument.loopLength;
        const int64_t loopEnd = instrument.loopStart + loopLength;
        const int64_t length = instrument.length;
        const int8_t* data = instrument.data;
        int64_t position = track.position;
        const int32_t step = track.step;
        const int level = track.level;
        const int right = level * track.pan / 256 * 2;
        const int left = (level - level * track.pan / 256) * 2;
        for (int f = 0; f < frames; ++f) {
            if (loopLength > 0 && position >= loopEnd)
                position = instrument.loopStart + (position - instrument.loopStart) % loopLength;
            if (position < length) {
                int sample = data[position >> FRACTION_BITS];
                if (stereoOutput) {
                    sums[2 * f] += left * sample;
                    sums[2 * f + 1] += right * sample;
                } else {
                    sums[f] += level * sample;
                }
            } else if (loopLength == 0) {
                break;   // the sample has ended for good
            }
            position += step;
        }
        track.position = position;
    }
}
