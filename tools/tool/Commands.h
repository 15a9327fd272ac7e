// The subcommands of tintrow-tool; each lives in a file of its own.
#pragma once

// A subcommand gets the arguments after its name and returns the exit status.
using ToolCommand = int (*)(int argc, char** argv);

struct ToolCommandEntry {
    const char* name;
    ToolCommand run;
    const char* usage;
};

int runDat(int argc, char** argv);
int runStore(int argc, char** argv);
int runSim(int argc, char** argv);
int runRender(int argc, char** argv);
int runText(int argc, char** argv);
