// A level file read and checked in full before anything of the game changes.
#pragma once

#include <cstdint>
#include <vector>

#include "lang/DbyteArray.ptr"

namespace tintrow {

struct LevelFile {
    int32_t width = 0;
    int32_t height = 0;
    int32_t gameType = 0;
    int32_t goal = 0;
    int32_t colourCount = 0;
    int32_t nextCount = 0;
    int64_t timeLimit = 1;
    int32_t bonusPerPoint = 0;
    int32_t lineLength = 0;
    int32_t pointsToWin = 0;
    int32_t particleInterval = 0;
    std::vector<int8_t> kinds; // row 0 first, each row from column 0

    // Throws an EOFException for a short file and an IOException for a board or ball count
    // that cannot be played (0 or below); the stored values are clamped as the game reads them.
    static LevelFile parse(const vela::lang::DbyteArrayPtr& bytes);
};

} // namespace tintrow
