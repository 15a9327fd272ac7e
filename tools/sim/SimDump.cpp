// The simulator's one-line JSON picture of the game.
#include "SimDump.h"

#include <initializer_list>

using tintrow::Cell;
using tintrow::Game;

namespace {

class JsonLine {
public:
    void key(const char* name)
    {
        separate();
        text += '"';
        text += name;
        text += "\":";
        fresh = true;
    }
    void number(long long value)
    {
        separate();
        text += std::to_string(value);
    }
    void boolean(bool value)
    {
        separate();
        text += value ? "true" : "false";
    }
    void open(char bracket)
    {
        separate();
        text += bracket;
        fresh = true;
    }
    void close(char bracket)
    {
        text += bracket;
        fresh = false;
    }
    void numbers(std::initializer_list<long long> values)
    {
        open('[');
        for (long long v : values)
            number(v);
        close(']');
    }

    std::string text;

private:
    void separate()
    {
        if (!fresh)
            text += ',';
        fresh = false;
    }
    bool fresh = true;
};

} // namespace

std::string simDump(Game& game, const std::vector<SimSound>& sounds)
{
    JsonLine j;
    j.open('{');
    const std::pair<const char*, long long> numbers[] = {
        {"state", game.turnState},
        {"previousState", game.previousTurnState},
        {"level", game.selectedLevel},
        {"highestLevel", game.highestLevel},
        {"levelCount", game.levelCount},
    };
    for (const auto& [name, value] : numbers) {
        j.key(name);
        j.number(value);
    }
    j.key("arcade");
    j.boolean(game.arcadeMode);
    j.key("paused");
    j.boolean(game.gamePaused);
    const std::pair<const char*, long long> more[] = {
        {"score", game.score},
        {"levelStartScore", game.levelStartScore},
        {"timeBank", game.timeBank},
        {"timeLimit", game.timeLimit},
        {"goal", game.goal},
        {"gameType", game.gameType},
        {"lineLength", game.lineLength},
        {"colourCount", game.colourCount},
        {"nextCount", game.nextCount},
        {"width", game.width},
        {"height", game.height},
    };
    for (const auto& [name, value] : more) {
        j.key(name);
        j.number(value);
    }
    j.key("selected");
    j.numbers({game.selectedX, game.selectedY});
    j.key("target");
    j.numbers({game.targetX, game.targetY});

    j.key("cells");
    j.open('[');
    for (int32_t y = 0; y < game.height; ++y) {
        for (int32_t x = 0; x < game.width; ++x) {
            const Cell& c = game.cellAt(x, y);
            j.numbers({c.kind, c.colour, c.state, c.previousState});
        }
    }
    j.close(']');

    j.key("next");
    j.open('[');
    for (int32_t i = 0; game.nextBalls && i < game.nextBalls->length(); ++i) {
        const Cell& c = *game.nextBalls[i];
        j.numbers({c.x, c.y, c.kind, c.colour, c.state});
    }
    j.close(']');

    j.key("path");
    j.open('[');
    for (int32_t i = 0; game.path && i < game.path->length(); ++i) {
        const tintrow::PathNode& node = game.nodes[game.path[i]];
        j.numbers({node.x, node.y});
    }
    j.close(']');

    j.key("sounds");
    j.open('[');
    for (const SimSound& s : sounds)
        j.numbers({s.index, s.pan, s.loop ? 1 : 0});
    j.close(']');
    j.close('}');
    return j.text;
}
