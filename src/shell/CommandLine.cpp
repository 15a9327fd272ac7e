// Reading the command line: prefixes of the slash options are compared, values start one
// separator after them.
#include "shell/CommandLine.h"

#include <cstdlib>
#include <cstring>

namespace {

bool startsWith(const std::string& token, const char* prefix)
{
    return token.compare(0, std::strlen(prefix), prefix) == 0;
}

// The decimal number from `offset` on, as the platform's wide atol reads it; 0 when the
// token ends before the offset.
long numberFrom(const std::string& token, size_t offset)
{
    return offset < token.size() ? std::strtol(token.c_str() + offset, nullptr, 10) : 0;
}

} // namespace

bool parseCommandLine(const std::vector<std::string>& tokens, CommandLine& out, std::string& error)
{
    bool fullScreen = true;
    bool scriptGiven = false;
    long width = -1, height = -1, scale = 0;
    for (const std::string& token : tokens) {
        if (startsWith(token, "/nofullscreen"))
            fullScreen = false;
        else if (startsWith(token, "/width"))
            width = numberFrom(token, 7);
        else if (startsWith(token, "/height"))
            height = numberFrom(token, 8);
        else if (startsWith(token, "/scale"))
            scale = numberFrom(token, 7);
        else if (startsWith(token, "/smartphone"))
            out.smartphone = true;
        else if (startsWith(token, "/script:")) {
            scriptGiven = true;
            out.script = token.substr(8);
        } else if (token == "--help" || token == "-h") {
            out.request = CommandLine::HELP;
        } else if (token == "--version") {
            out.request = CommandLine::VERSION;
        } else {
            error = "unknown option '" + token + "' (see tintrow --help)";
            return false;
        }
    }
    if (!fullScreen && width >= 1 && height >= 1) {
        if (width > CommandLine::MAX_SIDE || height > CommandLine::MAX_SIDE) {
            error = "the screen size may be at most " + std::to_string(CommandLine::MAX_SIDE) + " pixels a side";
            return false;
        }
        out.width = int(width);
        out.height = int(height);
    }
    if (scale < 0 || scale > 64) {
        error = "the scale must be between 1 and 64";
        return false;
    }
    out.scale = int(scale);
    if (scriptGiven && out.script.empty()) {
        error = "/script: needs a file name";
        return false;
    }
    return true;
}
