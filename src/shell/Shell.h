// The entry routine of the game: command line, single instance, window or script, the engine.
#pragma once

#include "shell/ApplicationFactory.h"

#include <string>
#include <vector>

// Runs the application `createApplication` makes; returns the process exit status.
int runShell(const std::vector<std::string>& arguments, ApplicationFactory createApplication);
