// The entry routine of the game: command line, single instance, window or script, the engine.
#pragma once

#include <string>
#include <vector>

// Returns the process exit status.
int runShell(const std::vector<std::string>& arguments);
