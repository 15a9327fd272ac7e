// The program's entry point: hands the command line and the game to the shell.
#include "game/Application.h"
#include "shell/Shell.h"

int main(int argc, char** argv)
{
    return runShell(std::vector<std::string>(argv + 1, argv + argc), tintrow::createApplication);
}
