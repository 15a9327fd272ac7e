// Constant tables of the module player: note periods by finetune and the vibrato wave.
#pragma once

#include <cstdint>

enum {
    HSS_NOTES = 84,           // 7 octaves, C at the longest period
    HSS_FINETUNES = 16,       // rows 0..7 finetune 0..+7, rows 8..15 finetune -8..-1
    HSS_PERIOD_MIN = 13,
    HSS_PERIOD_MAX = 1712,
    HSS_VIBRATO_STEPS = 32,
};

// HSS_FINETUNES rows of HSS_NOTES periods each.
const int16_t* hssPeriodTable();

// Half a sine period, 0..255..24.
extern const uint8_t hssVibratoTable[HSS_VIBRATO_STEPS];
