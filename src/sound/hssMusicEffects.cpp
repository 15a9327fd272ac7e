// Music channel: row processing, song advance and the per-tick effects.
#include "sound/hssMusicChannel.h"

#include "sound/hssSpeaker.h"
#include "sound/hssTables.h"

#include <algorithm>

enum {
    ARPEGGIO = 0x0, SLIDE_UP = 0x1, SLIDE_DOWN = 0x2, TONE_PORTAMENTO = 0x3, VIBRATO = 0x4,
    PORTAMENTO_VOLUME_SLIDE = 0x5, VIBRATO_VOLUME_SLIDE = 0x6, SAMPLE_OFFSET = 0x9,
    VOLUME_SLIDE = 0xA, POSITION_JUMP = 0xB, SET_VOLUME = 0xC, PATTERN_BREAK = 0xD,
    EXTENDED = 0xE, SET_SPEED = 0xF,
};

enum { PATTERN_LOOP = 0x6, FINE_VOLUME_UP = 0xA, FINE_VOLUME_DOWN = 0xB, NOTE_CUT = 0xC,
       NOTE_DELAY = 0xD, PATTERN_DELAY = 0xE };

enum { MAX_SPEED = 32, CELL_BYTES = 4 };

static int clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

int hssMusicChannel::finetuneRow(const hssTrack& track) const
{
    return track.instrument ? instruments[track.instrument - 1].finetune : 0;
}

int hssMusicChannel::noteIndexFor(const hssTrack& track, int period) const
{
    return finetuneRow(track) * HSS_NOTES + owner->nearestNote(period);
}

void hssMusicChannel::setPeriod(hssTrack& track, int period)
{
    track.period = period;
    track.step = stepFor(period);
}

void hssMusicChannel::triggerNote(hssTrack& track, int period)
{
    track.position = 0;
    track.noteIndex = noteIndexFor(track, period);
    setPeriod(track, hssPeriodTable()[track.noteIndex]);
}

void hssMusicChannel::processRow()
{
    const uint8_t* row = patterns + (static_cast<size_t>(module->order(orderIndex)) * HSS_MOD_ROWS + rowIndex) * trackCount * CELL_BYTES;
    for (int t = 0; t < trackCount; ++t)
        playCell(trackStates[t], row + t * CELL_BYTES);
    advanceRow();
}

void hssMusicChannel::playCell(hssTrack& track, const uint8_t* cell)
{
    int instrument = (cell[0] & 0xF0) | (cell[2] >> 4);
    int period = ((cell[0] & 0x0F) << 8) | cell[1];
    track.effect = cell[2] & 0x0F;
    track.parameter = cell[3];
    track.parameterX = cell[3] >> 4;
    track.parameterY = cell[3] & 0x0F;
    const bool newInstrument = instrument >= 1 && instrument <= HSS_MOD_INSTRUMENTS;
    if (newInstrument) {
        track.instrument = instrument;
        track.volume = instruments[instrument - 1].volume;
    }
    bool delayed = track.effect == EXTENDED && track.parameterX == NOTE_DELAY;
    bool slides = track.effect == TONE_PORTAMENTO || track.effect == PORTAMENTO_VOLUME_SLIDE;
    if (period && !slides && !delayed)
        triggerNote(track, period);
    else
        track.step = stepFor(track.period);   // drops last row's vibrato or arpeggio offset
    applyRowEffect(track, period);
    // A note cut on an earlier row sounds again: the cut silenced the level, not the volume.
    refreshLevel(track);
    if (track.effect == EXTENDED && track.parameterX == NOTE_CUT && track.parameterY == 0)
        track.level = 0;   // no tick counts down to a cut at tick 0
}

void hssMusicChannel::applyRowEffect(hssTrack& track, int period)
{
    const int x = track.parameterX;
    const int y = track.parameterY;
    switch (track.effect) {
    case ARPEGGIO:
        if (track.parameter) {
            const int rowStart = track.noteIndex - track.noteIndex % HSS_NOTES;
            const int note = track.noteIndex % HSS_NOTES;
            const int offsets[3] = {0, x, y};
            for (int i = 0; i < 3; ++i) {
                int index = rowStart + clamp(note + offsets[i], 0, HSS_NOTES - 1);
                track.arpeggioSteps[i] = stepFor(hssPeriodTable()[index]);
            }
            track.arpeggioPhase = 0;
        }
        break;
    case SLIDE_UP:
    case SLIDE_DOWN:
        track.slideBase = track.period;
        break;
    case TONE_PORTAMENTO:
        if (period)
            track.portamentoTarget = hssPeriodTable()[noteIndexFor(track, period)];
        if (track.parameter)
            track.portamentoSpeed = track.parameter;
        break;
    case VIBRATO:
        if (track.parameter) {
            track.vibratoPosition = 0;
            track.vibratoSpeed = x;
            track.vibratoDepth = y;
        }
        break;
    case PORTAMENTO_VOLUME_SLIDE:
    case VIBRATO_VOLUME_SLIDE:
    case VOLUME_SLIDE:
        track.volumeSlide = x ? x : -y;
        break;
    case SAMPLE_OFFSET:
        if (track.parameter)
            track.lastOffset = track.parameter * 256;
        track.position = static_cast<int64_t>(track.lastOffset) << 12;
        break;
    case POSITION_JUMP:
        // Without looping, a jump back would repeat forever: the song ends instead.
        jumpOrder = (!isLooping() && track.parameter <= orderIndex) ? songLength : track.parameter;
        jumpRow = 0;
        break;
    case SET_VOLUME:
        track.volume = track.parameter > 64 ? 64 : track.parameter;
        break;
    case PATTERN_BREAK:
        jumpRow = x * 10 + y;
        if (jumpRow >= HSS_MOD_ROWS)
            jumpRow = 0;
        if (jumpOrder == NO_JUMP)
            jumpOrder = orderIndex + 1;
        break;
    case EXTENDED:
        applyExtendedEffect(track, period);
        break;
    case SET_SPEED:
        if (track.parameter > MAX_SPEED) {
            ticksPerSecond = track.parameter * 2 / 5;
            frequencyChanged = true;
        } else if (track.parameter > 0) {
            ticksPerRow = track.parameter;
        }
        break;
    default:
        break;
    }
}

void hssMusicChannel::applyExtendedEffect(hssTrack& track, int period)
{
    const int y = track.parameterY;
    switch (track.parameterX) {
    case PATTERN_LOOP:
        if (y == 0) {
            track.loopRow = rowIndex;
        } else if (track.loopCount == 0 || --track.loopCount > 0) {
            if (track.loopCount == 0)
                track.loopCount = y;
            jumpOrder = orderIndex;
            jumpRow = track.loopRow;
        }
        break;
    case FINE_VOLUME_UP:
        track.volume = clamp(track.volume + y, 0, 64);
        break;
    case FINE_VOLUME_DOWN:
        track.volume = clamp(track.volume - y, 0, 64);
        break;
    case NOTE_CUT:
        track.noteCut = y;
        break;
    case NOTE_DELAY:
        track.noteDelay = y;
        track.delayedPeriod = period;
        if (y == 0 && period)
            triggerNote(track, period);   // no delay: play it now rather than never
        break;
    case PATTERN_DELAY:
        patternDelay = y;
        break;
    default:
        break;
    }
}

void hssMusicChannel::advanceRow()
{
    ++rowIndex;
    if (jumpOrder != NO_JUMP) {
        orderIndex = jumpOrder;
        rowIndex = jumpRow;
        jumpOrder = NO_JUMP;
    } else if (rowIndex >= HSS_MOD_ROWS) {
        ++orderIndex;
        rowIndex = 0;
    } else {
        return;
    }
    if (orderIndex >= songLength) {
        if (isLooping()) {
            orderIndex = restartOrder;
        } else {
            orderIndex = songLength - 1;   // keeps the position inside the song
            setStopped(true);
        }
    }
}

void hssMusicChannel::slideVolume(hssTrack& track)
{
    track.volume = clamp(track.volume + track.volumeSlide, 0, 64);
    refreshLevel(track);
}

void hssMusicChannel::slideToTarget(hssTrack& track)
{
    if (!track.portamentoTarget || !track.period)
        return;
    if (track.period < track.portamentoTarget)
        setPeriod(track, std::min(track.period + track.portamentoSpeed, track.portamentoTarget));
    else if (track.period > track.portamentoTarget)
        setPeriod(track, std::max(track.period - track.portamentoSpeed, track.portamentoTarget));
}

void hssMusicChannel::vibrato(hssTrack& track)
{
    if (!track.period)
        return;
    int delta = hssVibratoTable[track.vibratoPosition % HSS_VIBRATO_STEPS] * track.vibratoDepth / 128;
    if (track.vibratoPosition >= HSS_VIBRATO_STEPS)
        delta = -delta;
    track.step = stepFor(clamp(track.period + delta, 1, HSS_PERIOD_MAX));
    track.vibratoPosition = (track.vibratoPosition + track.vibratoSpeed) % (2 * HSS_VIBRATO_STEPS);
}

void hssMusicChannel::tickExtendedEffect(hssTrack& track)
{
    if (track.parameterX == NOTE_CUT && track.noteCut > 0 && --track.noteCut == 0) {
        track.level = 0;
    } else if (track.parameterX == NOTE_DELAY && track.noteDelay > 0 && --track.noteDelay == 0) {
        if (track.delayedPeriod)
            triggerNote(track, track.delayedPeriod);
    }
}

void hssMusicChannel::tickEffects()
{
    for (int t = 0; t < trackCount; ++t) {
        hssTrack& track = trackStates[t];
        switch (track.effect) {
        case ARPEGGIO:
            if (track.parameter) {
                track.arpeggioPhase = (track.arpeggioPhase + 1) % 3;
                track.step = track.arpeggioSteps[track.arpeggioPhase];
            }
            break;
        case SLIDE_UP:
            if (track.period)
                setPeriod(track, std::max(track.period - track.parameter, static_cast<int>(HSS_PERIOD_MIN)));
            break;
        case SLIDE_DOWN:
            if (track.period)
                setPeriod(track, std::min(track.period + track.parameter, static_cast<int>(HSS_PERIOD_MAX)));
            break;
        case TONE_PORTAMENTO:
            slideToTarget(track);
            break;
        case PORTAMENTO_VOLUME_SLIDE:
            slideToTarget(track);
            slideVolume(track);
            break;
        case VIBRATO:
            vibrato(track);
            break;
        case VIBRATO_VOLUME_SLIDE:
            vibrato(track);
            slideVolume(track);
            break;
        case VOLUME_SLIDE:
            slideVolume(track);
            break;
        case EXTENDED:
            tickExtendedEffect(track);
            break;
        default:
            break;
        }
    }
}
