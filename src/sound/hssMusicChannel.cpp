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
    return owner->masterMusicLevel();
}

void hssMusicChannel::loadInstruments()
{
    const uint8_t* bytes = module->data();
    int64_t sampleAt = HSS_MOD_PATTERNS_AT + static_cast<int64_t>(module->patternCount()) * HSS_MOD_ROWS * trackCount * 4;
    for (int i = 0; i < HSS_MOD_INSTRUMENTS; ++i) {
        const uint8_t* record = bytes + HSS_MOD_INSTRUMENT_AT + i * HSS_MOD_INSTRUMENT_SIZE;
        int64_t words = (record[22] << 8) | record[23];
        int64_t loopStart = (record[26] << 8) | record[27];
        int64_t loopLength = (record[28] << 8) | record[29];
        hssInstrument& instrument = instruments[i];
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
    module = &music;
    trackCount = music.tracks();
    songLength = music.songLength();
    patterns = music.data() + HSS_MOD_PATTERNS_AT;
    loadInstruments();
    playbackFrequency = music.playbackFrequency;
    frequencyChanged = true;
    ticksPerSecond = 50;
    ticksPerRow = 6;
    tickCounter = ticksPerRow;   // the first frame plays row 0
    sampleCounter = 0;
    orderIndex = 0;
    rowIndex = 0;
    int restart = music.data()[HSS_MOD_RESTART_AT];
    restartOrder = (restart == NO_RESTART || restart >= songLength) ? 0 : restart;
    jumpOrder = NO_JUMP;
    jumpRow = 0;
    patternDelay = 0;
    playedFrames = 0;
    for (hssTrack& track : trackStates)
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
    for (int t = 0; t < trackCount; ++t)
        refreshLevel(trackStates[t]);
}

void hssMusicChannel::setVolume(int level)
{
    hssDriverLock lock(owner->driver());
    hssChannel::setVolume(level);
    refreshLevels();
}

void hssMusicChannel::applyPan(int pan)
{
    pan = clamp(pan, 0, 255);
    storePan(pan);
    int spread = (255 - pan) / 4;
    for (int t = 0; t < HSS_MOD_MAX_TRACKS; ++t)
        trackStates[t].pan = (t % 2 == 0) ? 64 + spread : 192 - spread;
}

void hssMusicChannel::setPan(int pan)
{
    hssDriverLock lock(owner->driver());
    applyPan(pan);
}

int hssMusicChannel::getPosition()
{
    hssDriverLock lock(owner->driver());
    return orderIndex * HSS_MOD_ROWS + rowIndex;
}

void hssMusicChannel::setPosition(int position)
{
    hssDriverLock lock(owner->driver());
    if (position < 0 || position / HSS_MOD_ROWS >= songLength)
        return;
    orderIndex = position / HSS_MOD_ROWS;
    rowIndex = position % HSS_MOD_ROWS;
}

int hssMusicChannel::getLength()
{
    return songLength * HSS_MOD_ROWS;
}

int32_t hssMusicChannel::stepFor(int period) const
{
    if (period <= 0)
        return 0;
    if (period <= HSS_PERIOD_MAX)
        return owner->stepForPeriod(period);
    // Negative finetunes reach a little beyond the lowest table note.
    return static_cast<int32_t>((static_cast<int64_t>(7159090 / (2 * period)) * 4096) / owner->frequency());
}

// Runs the tick and row logic due at the start of a frame.
void hssMusicChannel::control()
{
    if (frequencyChanged) {
        int scale = (playbackFrequency * 256) / 44100;
        int64_t perTick = scale > 0 ? (static_cast<int64_t>(owner->frequency()) * 65536 / (scale * ticksPerSecond)) / 256
                                    : owner->frequency() / ticksPerSecond;
        samplesPerTick = perTick > 0 ? static_cast<int>(perTick) : 1;
        frequencyChanged = false;
    }
    if (tickCounter == ticksPerRow) {
        if (patternDelay > 0)
            --patternDelay;
        else
            processRow();
        tickCounter = 0;
    } else if (sampleCounter >= samplesPerTick) {
        sampleCounter = 0;
        ++tickCounter;
        if (tickCounter != ticksPerRow)
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
        if (tickCounter != ticksPerRow && !frequencyChanged && samplesPerTick - sampleCounter > 1)
            run = samplesPerTick - sampleCounter;
        if (run > frames - done)
            run = frames - done;
        sampleCounter += run;
        mixTracks(sums + done * lanes, run, stereoOutput);
        done += run;
        playedFrames += run;
    }
}

void hssMusicChannel::mixTracks(int32_t* sums, int frames, bool stereoOutput)
{
    for (int t = 0; t < trackCount; ++t) {
        hssTrack& track = trackStates[t];
        if (track.instrument == 0)
            continue;
        const hssInstrument& instrument = instruments[track.instrument - 1];
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
