// The command line of the game: screen size, window scale, platform type and script.
#pragma once

#include <string>
#include <vector>

struct CommandLine {
    static const int DEFAULT_WIDTH = 240;
    static const int DEFAULT_HEIGHT = 320;
    static const int MAX_SIDE = 4096;

    enum Request { PLAY, HELP, VERSION };
    Request request = PLAY;
    int width = DEFAULT_WIDTH;
    int height = DEFAULT_HEIGHT;
    int scale = 0; // 0: fit the desktop
    bool smartphone = false;
    std::string script; // empty: a real window
};

// False with a one-line reason for an unknown option or a value that cannot be used.
bool parseCommandLine(const std::vector<std::string>& tokens, CommandLine& out, std::string& error);
