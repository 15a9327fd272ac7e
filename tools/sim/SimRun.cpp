// The rules simulator: replays games on the real rules from commands read from a stream.
#include "SimRun.h"

#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "ParseNumber.h"
#include "SimDump.h"
#include "SimHost.h"
#include "game/rules/Game.h"
#include "io/HostPaths.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"

using tintrow::Game;
using vela::lang::DExceptionBase;

namespace {

// Ticks `settle` runs at most before it gives up on an animation that never ends.
constexpr int32_t SETTLE_LIMIT = 100000;
constexpr char USAGE[] =
    "usage: tintrow-tool sim --levels FOLDER|ARCHIVE [--seed S] [--highest H] < COMMANDS\n"
    "commands: new L arcade|progress, choose X Y, settle, wait MS, next, restart, pause,\n"
    "          resume, continue, dump (one JSON line); '#' starts a comment line\n";

std::string describe(DExceptionBase* e)
{
    if (!e)
        return "out of memory";
    std::string text = vela::lang::DString(DExceptionBase::nameOf(e->code)).toUtf8();
    std::string message = vela::lang::DString(e->message).toUtf8();
    return message.empty() ? text : text + ": " + message;
}

// A level that cannot be read ends the run; it is reported by the command loop.
struct LevelUnreadable {
    std::string reason;
};

class Simulator {
public:
    Simulator(SimHost& host, Game& game, std::ostream& out) : host(host), game(game), out(out)
    {
    }

    // Runs one command line; returns false with `error` set when it is refused.
    bool run(const std::vector<std::string>& words, std::string& error);

private:
    using Handler = bool (Simulator::*)(const std::vector<std::string>&, std::string&);
    struct CommandRow {
        const char* name;
        size_t arguments;
        Handler handler;
    };
    static const CommandRow COMMANDS[];

    bool newGame(const std::vector<std::string>& w, std::string& error);
    bool choose(const std::vector<std::string>& w, std::string& error);
    bool settle(const std::vector<std::string>&, std::string&);
    bool wait(const std::vector<std::string>& w, std::string& error);
    bool next(const std::vector<std::string>&, std::string&);
    bool restart(const std::vector<std::string>&, std::string&);
    bool pause(const std::vector<std::string>&, std::string&);
    bool resume(const std::vector<std::string>&, std::string&);
    bool continueGame(const std::vector<std::string>&, std::string&);
    bool dump(const std::vector<std::string>&, std::string&);

    // Level changes; an unreadable level ends the run.
    template <class Step>
    void changeLevel(Step&& step);
    // The game screen is shown and play begins at once (no tips screen).
    void showGameScreen();
    // The game ticks only while its screen is shown.
    bool playing() const { return !game.gamePaused; }

    SimHost& host;
    Game& game;
    std::ostream& out;
};

const Simulator::CommandRow Simulator::COMMANDS[] = {
    {"new", 2, &Simulator::newGame},
    {"choose", 2, &Simulator::choose},
    {"settle", 0, &Simulator::settle},
    {"wait", 1, &Simulator::wait},
    {"next", 0, &Simulator::next},
    {"restart", 0, &Simulator::restart},
    {"pause", 0, &Simulator::pause},
    {"resume", 0, &Simulator::resume},
    {"continue", 0, &Simulator::continueGame},
    {"dump", 0, &Simulator::dump},
};

bool Simulator::run(const std::vector<std::string>& words, std::string& error)
{
    for (const CommandRow& row : COMMANDS) {
        if (words[0] != row.name)
            continue;
        if (words.size() != row.arguments + 1) {
            error = words[0] + " takes " + std::to_string(row.arguments) + " argument(s)";
            return false;
        }
        return (this->*row.handler)(words, error);
    }
    error = "unknown command \"" + words[0] + "\"";
    return false;
}

template <class Step>
void Simulator::changeLevel(Step&& step)
{
    try {
        step();
    } catch (DExceptionBase* e) {
        std::string reason = describe(e);
        delete e;
        throw LevelUnreadable{reason};
    }
}

void Simulator::showGameScreen()
{
    game.gamePaused = false;
    game.startPlay();
}

bool Simulator::newGame(const std::vector<std::string>& w, std::string& error)
{
    long long level;
    if (!parseNumber(w[1], 0, INT32_MAX, level) || (w[2] != "arcade" && w[2] != "progress")) {
        error = "usage: new LEVEL arcade|progress";
        return false;
    }
    if (level >= game.levelCount) {
        error = "there is no level " + w[1];
        return false;
    }
    changeLevel([&] { game.startNewGame(int32_t(level), w[2] == "arcade"); });
    showGameScreen();
    return true;
}

bool Simulator::choose(const std::vector<std::string>& w, std::string& error)
{
    long long x, y;
    if (!parseNumber(w[1], INT32_MIN, INT32_MAX, x) || !parseNumber(w[2], INT32_MIN, INT32_MAX, y)) {
        error = "usage: choose X Y";
        return false;
    }
    if (x < 0 || y < 0 || x >= game.width || y >= game.height) {
        error = "cell (" + w[1] + ", " + w[2] + ") is not on the board";
        return false;
    }
    if (!playing() || game.turnState != tintrow::TURN_PLAYER)
        return true;
    game.choose(int32_t(x), int32_t(y));
    return true;
}

bool Simulator::settle(const std::vector<std::string>&, std::string&)
{
    for (int32_t tick = 0; tick < SETTLE_LIMIT && playing(); ++tick) {
        int32_t s = game.turnState;
        if (s == tintrow::TURN_PLAYER || s == tintrow::TURN_GAME_OVER
            || s == tintrow::TURN_LEVEL_COMPLETE || s == tintrow::TURN_LAST_LEVEL_COMPLETE)
            break;
        // Every running animation counts as played once when the cycle looks at it.
        for (int32_t y = 0; y < game.height; ++y) {
            for (int32_t x = 0; x < game.width; ++x) {
                tintrow::Cell& cell = game.cellAt(x, y);
                if (cell.state >= tintrow::STATE_SELECTED && cell.state <= tintrow::STATE_VANISHING
                    && cell.loops == 0)
                    cell.loops = 1;
            }
        }
        game.tick();
    }
    return true;
}

bool Simulator::wait(const std::vector<std::string>& w, std::string& error)
{
    long long ms;
    if (!parseNumber(w[1], 0, INT32_MAX, ms)) {
        error = "usage: wait MS (0 or more)";
        return false;
    }
    host.clock += ms;
    if (playing())
        game.tick();
    return true;
}

bool Simulator::next(const std::vector<std::string>&, std::string&)
{
    if (game.turnState != tintrow::TURN_LEVEL_COMPLETE)
        return true;
    changeLevel([&] { game.advanceLevel(); });
    showGameScreen();
    return true;
}

bool Simulator::restart(const std::vector<std::string>&, std::string&)
{
    changeLevel([&] { game.restartLevel(); });
    showGameScreen();
    return true;
}

bool Simulator::pause(const std::vector<std::string>&, std::string&)
{
    game.pauseGame();
    return true;
}

bool Simulator::resume(const std::vector<std::string>&, std::string&)
{
    if (game.gamePaused) {
        game.gamePaused = false;
        game.resume();
    }
    return true;
}

bool Simulator::continueGame(const std::vector<std::string>&, std::string&)
{
    bool loaded = false;
    changeLevel([&] { loaded = game.continueProgress(); });
    game.gamePaused = false;
    if (!loaded)
        game.startPlay();
    return true;
}

bool Simulator::dump(const std::vector<std::string>&, std::string&)
{
    out << simDump(game, host.sounds) << '\n';
    host.sounds.clear();
    return true;
}

std::vector<std::string> splitWords(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::string appName()
{
    return "Tintrow";
}

} // namespace

int runSimulation(int argc, char** argv, std::istream& in, std::ostream& out, std::ostream& err)
{
    std::string levelsPath;
    long long seed = 0;
    long long highest = -1;
    for (int i = 0; i < argc; i += 2) {
        std::string option = argv[i];
        std::string value = i + 1 < argc ? argv[i + 1] : "";
        bool known = (option == "--levels" && !value.empty())
            || (option == "--seed" && parseNumber(value, 0, INT64_MAX, seed))
            || (option == "--highest" && parseNumber(value, 0, INT32_MAX, highest));
        if (!known) {
            err << USAGE;
            return 2;
        }
        if (option == "--levels")
            levelsPath = value;
    }
    if (levelsPath.empty()) {
        err << USAGE;
        return 2;
    }

    SimLevels levels;
    std::string error;
    if (!levels.open(levelsPath, error)) {
        err << "sim: " << error << '\n';
        return 2;
    }
    vela::io::setAppNameSource(appName);
    SimHost host(levels, seed);
    tintrow::GamePtr game = new Game(host);
    game->countLevels();
    if (highest >= 0)
        game->highestLevel = int32_t(highest);
    else
        game->loadSettings();

    Simulator simulator(host, *game, out);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> words = splitWords(line);
        if (words.empty() || words[0][0] == '#')
            continue;
        try {
            if (!simulator.run(words, error))
                err << "error: " << error << '\n';
        } catch (const LevelUnreadable& unreadable) {
            out.flush();
            err << "sim: level " << game->selectedLevel << " cannot be read: "
                << unreadable.reason << '\n';
            return 2;
        }
    }
    out.flush();
    return 0;
}
