// Other programs run from tests, without a shell, their output taken through files.
#include "support/Process.h"

#include "support/Files.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <stdexcept>

extern char** environ;

namespace support {

RunResult run(const std::vector<std::string>& argv, const std::string& input, const std::vector<std::string>& env)
{
    TempDir io;
    writeFile(io / "in", input);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const char* names[] = {"in", "out", "err"};
    for (int fd = 0; fd < 3; ++fd)
        posix_spawn_file_actions_addopen(&actions, fd, (io / names[fd]).c_str(),
                                         fd ? O_WRONLY | O_CREAT | O_TRUNC : O_RDONLY, 0644);
    std::vector<char*> args, environment;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const std::string& e : env)
        environment.push_back(const_cast<char*>(e.c_str()));
    for (char** e = environ; *e; ++e)
        environment.push_back(*e);
    environment.push_back(nullptr);
    RunResult result;
    pid_t pid;
    int failure = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environment.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failure) {
        result.err = "cannot run " + argv[0] + ": " + std::strerror(failure) +
                     " (./scripts/setup.sh --tests installs what the tests need)";
        return result;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = readText(io / "out");
    result.err = readText(io / "err");
    return result;
}

void pack7z(const std::string& archive, const std::string& folder, std::vector<std::string> switches)
{
    switches.insert(switches.begin(), {"7zz", "a", "-bd", "-bso0", "-bsp0", archive});
    switches.push_back(folder + "/*");
    RunResult r = run(switches);
    if (r.status != 0)
        throw std::runtime_error("7zz failed: " + r.err);
}

void pack7z(const std::string& archive, const std::map<std::string, std::string>& members,
            std::vector<std::string> switches)
{
    TempDir staging;
    for (const auto& [name, bytes] : members)
        writeFile(staging / name, bytes);
    pack7z(archive, staging.path(), std::move(switches));
}

} // namespace support
