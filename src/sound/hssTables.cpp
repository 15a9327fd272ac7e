// Period and vibrato tables of the module player.
#include "sound/hssTables.h"

#include <cmath>

const uint8_t hssVibratoTable[HSS_VIBRATO_STEPS] = {
    0,   24,  49,  74,  97,  120, 141, 161, 180, 197, 212, 224, 235, 244, 250, 253,
    255, 253, 250, 244, 235, 224, 212, 197, 180, 161, 141, 120, 97,  74,  49,  24,
};

// The three classic octaves at finetune 0; the other octaves and finetunes derive from them.
static const int16_t middleOctaves[36] = {
    856, 808, 762, 720, 678, 640, 604, 570, 538, 508, 480, 453,
    428, 404, 381, 360, 339, 320, 302, 285, 269, 254, 240, 226,
    214, 202, 190, 180, 170, 160, 151, 143, 135, 127, 120, 113,
};

static int finetuneOfRow(int row)
{
    return row < 8 ? row : row - 16;
}

struct PeriodTable {
    int16_t periods[HSS_FINETUNES * HSS_NOTES];

    PeriodTable()
    {
        for (int row = 0; row < HSS_FINETUNES; ++row) {
            // A finetune step is an eighth of a semitone.
            double scale = std::pow(2.0, -finetuneOfRow(row) / 96.0);
            int16_t* out = periods + row * HSS_NOTES;
            int16_t middle[36];
            for (int n = 0; n < 36; ++n)
                middle[n] = static_cast<int16_t>(std::lround(middleOctaves[n] * scale));
            for (int n = 0; n < 12; ++n)
                out[n] = static_cast<int16_t>(middle[n] * 2);
            for (int n = 0; n < 36; ++n)
                out[12 + n] = middle[n];
            for (int octave = 1; octave <= 3; ++octave)
                for (int n = 0; n < 12; ++n)
                    out[36 + octave * 12 + n] = static_cast<int16_t>(
                        std::lround(middle[24 + n] / static_cast<double>(1 << octave)));
        }
    }
};

const int16_t* hssPeriodTable()
{
    static const PeriodTable table;
    return table.periods;
}
