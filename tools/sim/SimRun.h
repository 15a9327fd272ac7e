// The rules simulator as a function of its arguments and streams, for the tool and its tests.
#pragma once

#include <iosfwd>

// Exit status: 0 at the end of the input, 2 for bad arguments or a level that cannot be read.
int runSimulation(int argc, char** argv, std::istream& in, std::ostream& out, std::ostream& err);
