// The program's entry point: hands the command line to the shell.
#include "shell/Shell.h"

int main(int argc, char** argv)
{
    return runShell(std::vector<std::string>(argv + 1, argv + argc));
}
