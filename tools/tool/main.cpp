// tintrow-tool: inspects and builds the game's data, stores and rules from the command line.
#include "Commands.h"

#include <cstdio>
#include <cstring>

// Add a subcommand here: declare its function and give it a row of the table.
static const ToolCommandEntry commands[] = {
    {"dat", runDat, "dat ls ARCHIVE | dat cat ARCHIVE MEMBER"},
    {"store", runStore, "store add|set|get|count|next|delete NAME [ID]"},
    {"sim", runSim, "sim --levels PATH [--seed S] [--highest H]   (commands on stdin)"},
    {"render", runRender, "render INPUT --out OUT.wav [--seconds N] [--rate R] [--mono] [--8bit]"},
    {"text", runText, "text --data GAME.DAT (--key KEY --lang ID | --markup TEXT) --width W ... (--out FILE.png | --json)"},
    {nullptr, nullptr, nullptr},
};

static int usage()
{
    std::fputs("usage: tintrow-tool COMMAND [ARGS...]\ncommands:\n", stderr);
    for (const ToolCommandEntry* c = commands; c->name; ++c)
        std::fprintf(stderr, "  %s\n", c->usage);
    return 2;
}

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    for (const ToolCommandEntry* c = commands; c->name; ++c)
        if (std::strcmp(c->name, argv[1]) == 0)
            return c->run(argc - 2, argv + 2);
    std::fprintf(stderr, "tintrow-tool: unknown command \"%s\"\n", argv[1]);
    return usage();
}
