// The level bot: a host for the rules, a greedy choice of move, and the curve's faults and report.
#include "LevelBot.h"

#include "GameReaders.h"

#include "game/rules/Game.h"
#include "lang/DArray.h"
#include "lang/DExceptionBase.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <stdexcept>

namespace datagen {

namespace {

using tintrow::Game;

// The rules' world while the bot plays: a clock it sets, one level, no screen, sound or store.
class BotHost : public tintrow::GameHost {
public:
    BotHost(const Bytes& level, int64_t start) : clock(start), levelBytes(level) {}

    int64_t currentTimeMillis() override { return clock; }
    void playSound(int32_t, int32_t, bool) override {}
    void setSoundPan(int32_t, int32_t) override {}
    void stopSound(int32_t) override {}
    int32_t volume(int32_t) override { return 0; }
    void setVolumes(int32_t, int32_t) override {}
    vela::lang::DbyteArrayPtr readLevel(int32_t index) override
    {
        if (index != 0)
            return nullptr;
        return toByteArray(levelBytes);
    }
    void drawLevelBackground() override {}
    void restartTimeIndicator() override {}
    void clearParticles() override {}
    void resetActions() override {}
    void refreshInGameMenu() override {}
    void showLevelTips() override {}

    int64_t clock;

private:
    const Bytes& levelBytes;
};

constexpr int HOLE = -1, EMPTY = 0;  // otherwise a ball: its colour + 1
constexpr double CLEARS = 1000;       // any move that clears beats any that builds

struct Move {
    int from = -1, to = -1;
    double value = -1e9;
};

// Chooses the move that clears the most, else the one that best builds lines or blocks of the
// ball's colour at its target for what it gives up where it stands; small noise breaks ties.
class Player {
public:
    Player(Game& game, std::mt19937& rng) : played(game), dice(rng)
    {
        width = game.width, height = game.height;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const tintrow::Cell& c = game.cellAt(x, y);
                cells.push_back(c.kind == tintrow::KIND_HOLE ? HOLE : c.isBall() ? c.colour + 1 : EMPTY);
            }
    }

    Move choose()
    {
        std::vector<int> region = emptyRegions();
        std::uniform_real_distribution<double> noise(0, 0.9);
        Move best;
        for (int from = 0; from < width * height; ++from) {
            if (cells[size_t(from)] <= EMPTY)
                continue;
            std::vector<int> reachable;
            forNeighbours(from, [&](int n) {
                int r = region[size_t(n)];
                if (r >= 0 && std::find(reachable.begin(), reachable.end(), r) == reachable.end())
                    reachable.push_back(r);
            });
            if (reachable.empty())
                continue;
            int colour = cells[size_t(from)];
            double kept = value(from, colour, from);
            for (int to = 0; to < width * height; ++to) {
                if (std::find(reachable.begin(), reachable.end(), region[size_t(to)]) == reachable.end())
                    continue;
                double v = value(to, colour, from);
                v = (v >= CLEARS ? v : v - 0.8 * kept) + noise(dice);
                if (v > best.value)
                    best = {from, to, v};
            }
        }
        return best;
    }

private:
    template <class Visit>
    void forNeighbours(int at, Visit&& visit) const
    {
        int x = at % width, y = at / width;
        if (x > 0)
            visit(at - 1);
        if (x + 1 < width)
            visit(at + 1);
        if (y > 0)
            visit(at - width);
        if (y + 1 < height)
            visit(at + width);
    }

    // Each empty cell's connected region of empty cells (balls travel through them); -1 elsewhere.
    std::vector<int> emptyRegions() const
    {
        std::vector<int> region(cells.size(), -1), queue;
        int next = 0;
        for (int start = 0; start < int(cells.size()); ++start) {
            if (cells[size_t(start)] != EMPTY || region[size_t(start)] >= 0)
                continue;
            region[size_t(start)] = next;
            queue.assign(1, start);
            while (!queue.empty()) {
                int at = queue.back();
                queue.pop_back();
                forNeighbours(at, [&](int n) {
                    if (cells[size_t(n)] == EMPTY && region[size_t(n)] < 0) {
                        region[size_t(n)] = next;
                        queue.push_back(n);
                    }
                });
            }
            ++next;
        }
        return region;
    }

    // The cell as it would be with the moving ball lifted from `from`.
    int at(int x, int y, int from) const
    {
        if (x < 0 || y < 0 || x >= width || y >= height)
            return HOLE;
        int i = y * width + x;
        return i == from ? EMPTY : cells[size_t(i)];
    }

    // What a ball of this colour is worth at `to`, the ball at `from` lifted.
    double value(int to, int colour, int from) const
    {
        return played.gameType == tintrow::TYPE_BLOCKS ? blockValue(to, colour, from) : lineValue(to, colour, from);
    }

    double lineValue(int to, int colour, int from) const
    {
        static const int axes[4][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
        int length = played.lineLength, x = to % width, y = to / width, points = 0;
        double building = 0;
        for (const auto& axis : axes) {
            int run = 1, room = 1;
            for (int side : {1, -1}) {
                auto step = [&](int k) { return at(x + side * k * axis[0], y + side * k * axis[1], from); };
                int k = 1;
                for (; step(k) == colour; ++k)
                    ++run, ++room;
                for (; room < length && (step(k) == colour || step(k) == EMPTY); ++k)
                    ++room;
            }
            if (run >= length)
                points += (run - length + 1) * length;
            else if (room >= length)
                building += run * run;  // a line that can still grow to the length
        }
        return points ? CLEARS + points : building;
    }

    double blockValue(int to, int colour, int from) const
    {
        int x = to % width, y = to / width;
        double building = 0;
        for (int dy = -1; dy <= 0; ++dy)
            for (int dx = -1; dx <= 0; ++dx) {
                int same = 0;
                bool open = true;
                for (int j = 0; j < 2; ++j)
                    for (int i = 0; i < 2; ++i) {
                        int cx = x + dx + i, cy = y + dy + j;
                        if (cx == x && cy == y)
                            continue;
                        int cell = at(cx, cy, from);
                        same += cell == colour;
                        open = open && (cell == colour || cell == EMPTY);
                    }
                if (same == 3)
                    return CLEARS + 4;
                if (open)
                    building += 1 + same * same;
            }
        return building;
    }

    const Game& played;
    std::mt19937& dice;
    int width = 0, height = 0;
    std::vector<int> cells;
};

// Runs the ticks until the player may act or the game has ended; every animation counts as
// played once when the cycle looks at it.
void settle(Game& game)
{
    for (int guard = 0; guard < 100000; ++guard) {
        int32_t s = game.turnState;
        if (s == tintrow::TURN_PLAYER || s >= tintrow::TURN_GAME_OVER)
            return;
        for (int32_t y = 0; y < game.height; ++y)
            for (int32_t x = 0; x < game.width; ++x) {
                tintrow::Cell& cell = game.cellAt(x, y);
                if (cell.state >= tintrow::STATE_SELECTED && cell.state <= tintrow::STATE_VANISHING)
                    cell.loops = std::max(cell.loops, 1);
            }
        game.tick();
    }
    throw std::logic_error("the turn cycle never came back to the player");
}

enum class Outcome { Won, Lost, Stuck };

Outcome playGame(const Bytes& level, int seed, const BotRules& rules, int* moves)
{
    BotHost host(level, seed);
    tintrow::GamePtr game = new Game(host);
    game->countLevels();
    game->highestLevel = game->levelCount;  // winning opens nothing: no settings are stored
    game->startNewGame(0, false);
    game->startPlay();
    std::mt19937 rng{uint32_t(seed)};
    for (*moves = 0; *moves < rules.moveLimit; ++*moves) {
        settle(*game);
        if (game->turnState == tintrow::TURN_GAME_OVER)
            return Outcome::Lost;
        if (game->turnState != tintrow::TURN_PLAYER)
            return Outcome::Won;
        Move m = Player(*game, rng).choose();
        if (m.from < 0)
            return Outcome::Stuck;
        host.clock += rules.thinkMs;  // the time bar drains while the bot thinks
        game->tick();
        if (game->turnState != tintrow::TURN_PLAYER)
            continue;
        game->choose(m.from % game->width, m.from / game->width);
        game->choose(m.to % game->width, m.to / game->width);
    }
    return Outcome::Stuck;
}

std::string describe(const tintrow::LevelFile& lv)
{
    static const char* const goals[] = {"free", "time", "score"};
    std::string s = (lv.gameType ? "blocks" : "lines " + std::to_string(lv.lineLength)) + ", " +
                    std::to_string(lv.colourCount) + " colours, " + std::to_string(lv.nextCount) + " next, " +
                    goals[std::clamp(lv.goal, 0, 2)];
    if (lv.goal == 1)
        s += " " + std::to_string(lv.timeLimit / 1000) + " s, " + std::to_string(lv.bonusPerPoint) + " ms/point";
    if (lv.goal == 2)
        s += " " + std::to_string(lv.pointsToWin);
    return s;
}

}  // namespace

LevelRecord playLevel(const Bytes& levelFile, const BotRules& rules)
{
    LevelRecord r;
    for (int seed = rules.firstSeed; seed < rules.firstSeed + rules.seeds; ++seed) {
        int moves = 0;
        Outcome o;
        try {
            o = playGame(levelFile, seed, rules, &moves);
        } catch (vela::lang::DExceptionBase* e) {
            delete e;
            throw std::runtime_error("the rules cannot play this level file");
        }
        if (o == Outcome::Won)
            ++r.won, r.wonMoves += moves;
        else
            ++(o == Outcome::Lost ? r.lost : r.stuck);
    }
    return r;
}

LevelCurve playLevels(const Members& m, const BotRules& rules)
{
    LevelCurve curve{rules, {}, {}};
    for (int i = 0; m.has(std::to_string(i) + ".bin"); ++i) {
        const Bytes& file = m.get(std::to_string(i) + ".bin");
        curve.levels.push_back(playLevel(file, rules));
        curve.labels.push_back(describe(readLevel(file)));
    }
    return curve;
}

double curveTarget(size_t i, size_t n)
{
    return n < 2 ? CURVE_FIRST : CURVE_FIRST + (CURVE_LAST - CURVE_FIRST) * double(i) / double(n - 1);
}

std::vector<std::string> curveFaults(const LevelCurve& curve)
{
    std::vector<std::string> faults;
    size_t n = curve.levels.size();
    for (size_t i = 0; i < n; ++i) {
        const LevelRecord& r = curve.levels[i];
        std::string level = "level " + std::to_string(i + 1) + ": ";
        if (r.stuck)
            faults.push_back(level + std::to_string(r.stuck) + " games did not end: no move left, or still going " +
                             "after " + std::to_string(curve.rules.moveLimit) + " moves");
        if (!r.won)
            faults.push_back(level + "never won by the bot");
        if (!r.lost)
            faults.push_back(level + "never lost by the bot");
        double target = curveTarget(i, n);
        if (std::abs(r.winRate() - target) > CURVE_SLACK) {
            char text[120];
            std::snprintf(text, sizeof text, "the bot wins %.0f %% of its games, outside %.0f to %.0f %%",
                          100 * r.winRate(), 100 * (target - CURVE_SLACK), 100 * (target + CURVE_SLACK));
            faults.push_back(level + text);
        }
    }
    return faults;
}

std::string curveReport(const LevelCurve& curve)
{
    char line[200];
    std::snprintf(line, sizeof line, "Level curve: a greedy bot plays each level in seeds %d to %d, %d ms per move.\n",
                  curve.rules.firstSeed, curve.rules.firstSeed + curve.rules.seeds - 1, curve.rules.thinkMs);
    std::string out = line;
    std::snprintf(line, sizeof line, "Band: the win rate falls from %.0f %% to %.0f %%, give or take %.0f points.\n\n",
                  100 * CURVE_FIRST, 100 * CURVE_LAST, 100 * CURVE_SLACK);
    out += line;
    out += "level  won/games  rate  band       moves to win  level\n";
    size_t n = curve.levels.size();
    for (size_t i = 0; i < n; ++i) {
        const LevelRecord& r = curve.levels[i];
        double target = curveTarget(i, n);
        std::snprintf(line, sizeof line, "%5zu  %3d/%-5d  %3.0f%%  %3.0f-%3.0f%%  %12.0f  %s%s\n", i + 1, r.won,
                      r.games(), 100 * r.winRate(), 100 * (target - CURVE_SLACK), 100 * (target + CURVE_SLACK),
                      r.won ? double(r.wonMoves) / r.won : 0.0, curve.labels[i].c_str(),
                      r.stuck ? "  (did not end)" : "");
        out += line;
    }
    return out;
}

}  // namespace datagen
