// The level curve: a greedy player plays every level through the game's own rules in many seeds.
#pragma once

#include "Members.h"

#include <string>
#include <vector>

namespace datagen {

struct BotRules {
    int firstSeed = 1;
    int seeds = 40;
    int thinkMs = 2500;    // time the bot spends on a move; the time bar drains by it
    int moveLimit = 1500;  // a game still going after this many moves did not end
};

// How one level went over all seeds.
struct LevelRecord {
    int won = 0, lost = 0, stuck = 0;  // stuck: no move left, or no end within the move limit
    long wonMoves = 0;  // moves of the won games, summed

    int games() const { return won + lost + stuck; }
    double winRate() const { return games() ? double(won) / games() : 0; }
};

struct LevelCurve {
    BotRules rules;
    std::vector<LevelRecord> levels;
    std::vector<std::string> labels;  // what each level is: type, colours, goal
};

// Plays the level file in rules.seeds seeds from rules.firstSeed on, from a new game in the level mode.
LevelRecord playLevel(const Bytes& levelFile, const BotRules& rules);
// Plays "0.bin", "1.bin", ... of the data set.
LevelCurve playLevels(const Members& m, const BotRules& rules = {});

// The band the win rate of level i (of n) must lie in: a straight fall from the first level to
// the last, give or take CURVE_SLACK.
constexpr double CURVE_FIRST = 0.9, CURVE_LAST = 0.3, CURVE_SLACK = 0.2;
double curveTarget(size_t i, size_t n);

// Why the curve fails: a level never won or never lost, a game that did not end, a rate outside
// its band.
std::vector<std::string> curveFaults(const LevelCurve& curve);
// The win rates as a table for the designer, beside the contact sheets.
std::string curveReport(const LevelCurve& curve);

}  // namespace datagen
