// Levels: the layout source, the level file format and the fit of a board on a screen.
#pragma once

#include "Bytes.h"
#include "Profiles.h"

#include "game/rules/LevelFile.h"

#include <string>
#include <vector>

namespace datagen {

struct Level {
    int width = 0, height = 0;
    int gameType = 0;  // 0 lines, 1 blocks
    int goal = 0;      // 0 none, 1 time, 2 score
    int colours = 0, next = 0, lineLength = 0;
    int timeLimit = 0;     // ms
    int bonusPerPoint = 0; // ms per point
    int pointsToWin = 0;
    int particleRate = 0;
    std::vector<std::string> rows;  // '#' floor, '.' hole

    bool floor(int x, int y) const { return rows[size_t(y)][size_t(x)] == '#'; }
    int floorCount() const;
};

// Parses the level source (blocks of "key value" lines and a grid); throws with file and line on faults.
std::vector<Level> parseLevels(const std::string& source);
// Faults that would spoil play (size, counts, goals, a board too small); empty when sound.
std::vector<std::string> levelFaults(const Level& level);

Bytes encodeLevel(const Level& level);

// Screen rectangles the board, its frame, the panel above and the time bar below would take.
struct BoardLayout {
    int originX, originY, boardW, boardH;
    int frameLeft, frameTop, frameRight, frameBottom;
    int panelY;
    int barBottom;  // below the lower bar edge, or the bottom of the points text line
};
// Whether the cell of the level, as the game reads it (see readLevel), is floor.
bool isFloor(const tintrow::LevelFile& level, int x, int y);

// The level as the game reads it is laid out as the game screen does.
BoardLayout layoutBoard(const tintrow::LevelFile& level, const Profile& p, int barHeight, int barEdge,
                        int textHeight);
bool layoutFits(const BoardLayout& l, const Profile& p);

}  // namespace datagen
