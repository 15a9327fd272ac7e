// tintrow-tool sim: replays games on the real rules from commands on standard input.
#include "Commands.h"
#include "SimRun.h"

#include <iostream>

int runSim(int argc, char** argv)
{
    return runSimulation(argc, argv, std::cin, std::cout, std::cerr);
}
