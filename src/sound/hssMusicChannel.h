// A channel of the music pool: plays one module, its rows, ticks and effects, track by track.
#pragma once

#include "sound/hssChannel.h"
#include "sound/hssMusic.h"

#include <cstdint>

struct hssInstrument {
    int64_t length = 0;       // bytes, 12 fractional bits
    int64_t loopStart = 0;
    int64_t loopLength = 0;   // 0: no loop
    int volume = 0;
    int finetune = 0;         // period table row
    const int8_t* data = nullptr;
};

struct hssTrack {
    int instrument = 0;       // 1..31, 0 for none
    int period = 0;
    int noteIndex = 0;
    int volume = 0;
    int level = 0;            // volume scaled by the channel's effective level
    int pan = 128;
    int64_t position = 0;     // bytes, 12 fractional bits
    int32_t step = 0;
    int effect = 0;
    int parameter = 0;
    int parameterX = 0;
    int parameterY = 0;
    int arpeggioPhase = 0;
    int32_t arpeggioSteps[3] = {0, 0, 0};
    int slideBase = 0;
    int portamentoTarget = 0;
    int portamentoSpeed = 0;
    int vibratoPosition = 0;
    int vibratoSpeed = 9;
    int vibratoDepth = 2;
    int volumeSlide = 0;
    int lastOffset = 0;
    int noteCut = 0;
    int noteDelay = 0;
    int delayedPeriod = 0;
    int loopRow = 0;
    int loopCount = 0;
};

class hssMusicChannel : public hssChannel {
public:
    enum { NO_JUMP = 0xFFFFFF };

    explicit hssMusicChannel(hssSpeaker* owner) : hssChannel(owner) {}

    // Takes the module; the caller holds the driver lock. Answers 0 or a negative status.
    int start(const hssMusic& music);
    const hssMusic* music() const { return module; }

    void setVolume(int level) override;
    void setPan(int pan) override;
    // Order x 64 + row.
    int getPosition() override;
    void setPosition(int position) override;
    int getLength() override;

    // Adds `frames` frames to the music sums (one or two lanes per frame).
    void mix(int32_t* sums, int frames, bool stereoOutput);

    int tempo() const { return ticksPerSecond; }
    int speed() const { return ticksPerRow; }
    int order() const { return orderIndex; }
    int row() const { return rowIndex; }
    int tracks() const { return trackCount; }
    const hssTrack& track(int index) const { return trackStates[index]; }

protected:
    int masterLevel() const override;

private:
    void loadInstruments();
    void control();
    void processRow();
    void playCell(hssTrack& track, const uint8_t* cell);
    void applyRowEffect(hssTrack& track, int period);
    void applyExtendedEffect(hssTrack& track, int period);
    void advanceRow();
    void tickEffects();
    void tickExtendedEffect(hssTrack& track);
    void triggerNote(hssTrack& track, int period);
    void setPeriod(hssTrack& track, int period);
    void slideVolume(hssTrack& track);
    void slideToTarget(hssTrack& track);
    void vibrato(hssTrack& track);
    int32_t stepFor(int period) const;
    int finetuneRow(const hssTrack& track) const;
    int noteIndexFor(const hssTrack& track, int period) const;
    void refreshLevel(hssTrack& track);
    void refreshLevels();
    void applyPan(int pan);
    void mixTracks(int32_t* sums, int frames, bool stereoOutput);

    const hssMusic* module = nullptr;
    const uint8_t* patterns = nullptr;
    int trackCount = 0;
    int songLength = 0;
    int playbackFrequency = 44100;
    bool frequencyChanged = true;
    int ticksPerSecond = 50;               // ticks per second
    int samplesPerTick = 882;
    int sampleCounter = 0;
    int tickCounter = 6;
    int ticksPerRow = 6;                // ticks per row
    int orderIndex = 0;
    int rowIndex = 0;
    int restartOrder = 0;
    int jumpOrder = NO_JUMP;
    int jumpRow = 0;
    int patternDelay = 0;
    hssInstrument instruments[HSS_MOD_INSTRUMENTS];
    hssTrack trackStates[HSS_MOD_MAX_TRACKS];
};
