// Fuzz targets of what the user types: the scripted mode's scripts and the command line.
#include "FuzzTargets.h"

#include "host/Script.h"
#include "shell/CommandLine.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz {

// Parsed, a script is either refused with a reason or holds only commands it can run.
void scriptInput(const uint8_t* data, size_t size)
{
    std::vector<host::ScriptCommand> commands;
    std::string error;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!host::parseScript(text, commands, error)) {
        if (error.empty())
            std::abort();
        return;
    }
    for (const host::ScriptCommand& command : commands)
        if ((command.type == host::ScriptCommand::WAIT && command.a < 0)
            || (command.type == host::ScriptCommand::SHOT && command.path.empty()))
            std::abort();
}

// NUL bytes separate the arguments; an accepted line holds a size and scale the window can take.
void commandLineInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> tokens(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            tokens.emplace_back();
        else
            tokens.back().push_back(char(data[i]));
    }
    CommandLine line;
    std::string error;
    if (!parseCommandLine(tokens, line, error)) {
        if (error.empty())
            std::abort();
        return;
    }
    if (line.width < 1 || line.width > CommandLine::MAX_SIDE || line.height < 1
        || line.height > CommandLine::MAX_SIDE || line.scale < 0 || line.scale > 64)
        std::abort();
}

} // namespace fuzz
