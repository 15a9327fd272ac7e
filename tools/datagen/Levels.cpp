// Level source parsing, level file encoding and the board layout arithmetic of the game screen.
#include "Levels.h"

#include "game/rules/Cell.h"

#include <map>
#include <sstream>
#include <stdexcept>

namespace datagen {

int Level::floorCount() const
{
    int n = 0;
    for (const std::string& r : rows)
        for (char c : r)
            n += c == '#';
    return n;
}

static int lookup(const std::map<std::string, int>& names, const std::string& word, const std::string& where)
{
    auto it = names.find(word);
    if (it == names.end())
        throw std::runtime_error(where + ": unknown value \"" + word + "\"");
    return it->second;
}

static void setField(Level& lv, const std::string& key, const std::string& value, const std::string& where)
{
    static const std::map<std::string, int> types = {{"lines", 0}, {"blocks", 1}};
    static const std::map<std::string, int> goals = {{"none", 0}, {"time", 1}, {"score", 2}};
    if (key == "type")
        lv.gameType = lookup(types, value, where);
    else if (key == "goal")
        lv.goal = lookup(goals, value, where);
    else {
        static const std::map<std::string, int Level::*> numbers = {
            {"colours", &Level::colours}, {"next", &Level::next}, {"line", &Level::lineLength},
            {"time", &Level::timeLimit}, {"bonus", &Level::bonusPerPoint}, {"points", &Level::pointsToWin},
            {"particles", &Level::particleRate}};
        auto it = numbers.find(key);
        if (it == numbers.end())
            throw std::runtime_error(where + ": unknown field \"" + key + "\"");
        size_t used = 0;
        int v = 0;
        try {
            v = std::stoi(value, &used);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used == 0 || used != value.size())
            throw std::runtime_error(where + ": \"" + value + "\" is not a number");
        lv.*(it->second) = v;
    }
}

std::vector<Level> parseLevels(const std::string& source)
{
    std::vector<Level> levels;
    std::istringstream in(source);
    std::string line;
    bool inGrid = false;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
        std::string where = "levels:" + std::to_string(lineNo);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        if (line == "level") {
            levels.emplace_back();
            inGrid = false;
            continue;
        }
        if (levels.empty())
            throw std::runtime_error(where + ": data before the first \"level\"");
        Level& lv = levels.back();
        if (line.find_first_not_of("#.") == std::string::npos) {
            if (!lv.rows.empty() && line.size() != lv.rows[0].size())
                throw std::runtime_error(where + ": grid rows differ in length");
            lv.rows.push_back(line);
            inGrid = true;
            continue;
        }
        if (inGrid)
            throw std::runtime_error(where + ": fields must come before the grid");
        size_t sp = line.find(' ');
        if (sp == std::string::npos)
            throw std::runtime_error(where + ": expected \"field value\"");
        setField(lv, line.substr(0, sp), line.substr(sp + 1), where);
    }
    for (Level& lv : levels) {
        lv.height = int(lv.rows.size());
        lv.width = lv.rows.empty() ? 0 : int(lv.rows[0].size());
    }
    return levels;
}

// One region of floor, as balls travel: a cleared part beside a full one would leave no move.
static bool floorConnected(const Level& lv)
{
    std::vector<bool> seen(size_t(lv.width) * lv.height);
    std::vector<std::pair<int, int>> todo;
    for (int y = 0; y < lv.height && todo.empty(); ++y)
        for (int x = 0; x < lv.width && todo.empty(); ++x)
            if (lv.floor(x, y))
                todo.push_back({x, y});
    int reached = 0;
    while (!todo.empty()) {
        auto [x, y] = todo.back();
        todo.pop_back();
        if (x < 0 || y < 0 || x >= lv.width || y >= lv.height || !lv.floor(x, y) || seen[size_t(y) * lv.width + x])
            continue;
        seen[size_t(y) * lv.width + x] = true;
        ++reached;
        todo.insert(todo.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
    }
    return reached == lv.floorCount();
}

std::vector<std::string> levelFaults(const Level& lv)
{
    std::vector<std::string> f;
    if (lv.width < 3 || lv.height < 3 || lv.width > 9 || lv.height > 9)
        f.push_back("board must be 3..9 cells each way");
    if (lv.colours < 1 || lv.colours > 5)
        f.push_back("colours must be 1..5");
    if (lv.next < 1 || lv.next > 10)
        f.push_back("next must be 1..10");
    if (lv.gameType == 0 && (lv.lineLength < 3 || lv.lineLength > 9))
        f.push_back("line length must be 3..9");
    if (lv.goal == 1 && (lv.timeLimit <= 0 || lv.bonusPerPoint <= 0))
        f.push_back("a timed level needs a time limit and a bonus");
    if (lv.goal == 2 && lv.pointsToWin <= 0)
        f.push_back("a score level needs points to win");
    // The smallest group a level can score: a line of the line length, or a 2 x 2 block.
    int smallest = lv.gameType == 0 ? lv.lineLength : 4;
    if (lv.goal == 2 && lv.pointsToWin > 30 * smallest)
        f.push_back("the score goal needs more than 30 groups");
    if (lv.pointsToWin < -32768 || lv.pointsToWin > 32767)
        f.push_back("points to win must fit 16 bits");
    if (lv.particleRate * 42 / 1000 < 1)
        f.push_back("particle rate too low: no particle would ever fall");
    if (lv.floorCount() < 5 + lv.next + 2)
        f.push_back("too few floor cells for the starting and announced balls");
    if (lv.next > 5)
        f.push_back("more than five next balls do not fit beside the score on the smallest screen");
    if (!floorConnected(lv))
        f.push_back("the floor falls apart: balls on one part could never reach the free cells of another");
    return f;
}

Bytes encodeLevel(const Level& lv)
{
    ByteWriter w;
    w.u8(lv.width), w.u8(lv.height), w.u8(lv.gameType), w.u8(lv.goal), w.u8(lv.colours), w.u8(lv.next);
    w.u32(lv.timeLimit), w.u32(lv.bonusPerPoint);
    w.u8(lv.lineLength);
    w.u16(lv.pointsToWin);
    w.u32(lv.particleRate);
    for (int y = 0; y < lv.height; ++y)
        for (int x = 0; x < lv.width; ++x)
            w.u8(lv.floor(x, y) ? 1 : 0);
    return w.data();
}

bool isFloor(const tintrow::LevelFile& lv, int x, int y)
{
    return lv.kinds[size_t(y) * size_t(lv.width) + size_t(x)] == tintrow::KIND_FLOOR;
}

BoardLayout layoutBoard(const tintrow::LevelFile& lv, const Profile& p, int barHeight, int barEdge, int textHeight)
{
    BoardLayout l{};
    l.boardW = p.cell * lv.width;
    l.boardH = p.cell * lv.height;
    l.originX = (p.width - l.boardW) >> 1;
    l.originY = ((p.height - l.boardH) >> 1) + 4;
    l.frameLeft = l.originX - p.border;
    l.frameTop = l.originY - p.border;
    l.frameRight = l.originX + l.boardW + p.border;
    l.frameBottom = l.originY + l.boardH + p.border;
    l.panelY = l.originY - ((p.border * 3) >> 1) - p.panel;
    if (lv.goal == 1) {
        int barY = l.originY + ((p.border * 3) >> 1) + l.boardH + 1;
        if (barY + ((barHeight * 5) >> 2) < p.height - 2)
            barY += barHeight >> 2;
        l.barBottom = barY + barHeight + barEdge;
    } else {
        l.barBottom = l.originY + p.border + l.boardH + textHeight;
    }
    return l;
}

bool layoutFits(const BoardLayout& l, const Profile& p)
{
    return l.frameLeft >= 0 && l.frameRight <= p.width && l.panelY >= 0 && l.frameBottom <= p.height &&
           l.barBottom <= p.height;
}

}  // namespace datagen
