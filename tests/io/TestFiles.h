// Test helpers: temporary folders, whole-file reads and writes, byte arrays and running programs.
#pragma once

#include "lang/DArray.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <ftw.h>
#include <iterator>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace testfiles {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under /tmp, removed with everything in it at the end of the test.
class TempDir {
public:
    TempDir()
    {
        char pattern[] = "/tmp/tintrow-test-XXXXXX";
        if (!::mkdtemp(pattern))
            throw std::runtime_error("mkdtemp failed");
        folder = pattern;
    }
    ~TempDir()
    {
        auto remove = [](const char* p, const struct stat*, int, FTW*) { return ::remove(p); };
        ::nftw(folder.c_str(), remove, 16, FTW_DEPTH | FTW_PHYS);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return folder; }
    std::string operator/(const std::string& name) const { return folder + "/" + name; }

private:
    std::string folder;
};

inline void makeDirs(const std::string& path)
{
    for (std::size_t i = 1; i <= path.size(); ++i)
        if (i == path.size() || path[i] == '/')
            ::mkdir(path.substr(0, i).c_str(), 0755);
}

inline void writeFile(const std::string& path, const Bytes& data)
{
    makeDirs(path.substr(0, path.rfind('/')));
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

inline void writeFile(const std::string& path, const std::string& text)
{
    writeFile(path, Bytes(text.begin(), text.end()));
}

inline Bytes readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool exists(const std::string& path)
{
    return ::access(path.c_str(), F_OK) == 0;
}

// Deterministic bytes that differ from seed to seed.
inline Bytes patternBytes(std::size_t size, std::uint32_t seed)
{
    Bytes data(size);
    std::uint32_t x = seed * 2654435761u + 1;
    for (auto& b : data) {
        x = x * 1103515245u + 12345u;
        b = std::uint8_t(x >> 16);
    }
    return data;
}

inline vela::lang::DbyteArrayPtr array(const Bytes& bytes)
{
    vela::lang::DbyteArrayPtr a = new vela::lang::DbyteArray(int32_t(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<std::uint8_t*>(a->data()));
    return a;
}

inline Bytes bytesOf(const vela::lang::DbyteArrayPtr& a)
{
    return Bytes(a->data(), a->data() + a->length());
}

struct RunResult {
    int status = -1; // exit status, or -1 when the program did not exit normally
    std::string out, err;
};

// Runs a program without a shell; `input` goes to its standard input.
inline RunResult run(const std::vector<std::string>& argv, const std::string& input = "",
                     const std::vector<std::string>& extraEnv = {})
{
    TempDir io;
    writeFile(io / "in", input);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const char* names[] = {"in", "out", "err"};
    for (int fd = 0; fd < 3; ++fd)
        posix_spawn_file_actions_addopen(&actions, fd, (io / names[fd]).c_str(),
                                         fd ? O_WRONLY | O_CREAT | O_TRUNC : O_RDONLY, 0644);
    std::vector<char*> args, env;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const auto& e : extraEnv)
        env.push_back(const_cast<char*>(e.c_str()));
    for (char** e = environ; *e; ++e)
        env.push_back(*e);
    env.push_back(nullptr);
    pid_t pid;
    RunResult result;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data()) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    Bytes out = readFile(io / "out"), err = readFile(io / "err");
    result.out.assign(out.begin(), out.end());
    result.err.assign(err.begin(), err.end());
    return result;
}

// Packs the folder `sourceDir` into `archive` with 7-Zip and the given switches.
inline void make7z(const std::string& archive, const std::string& sourceDir,
                   std::vector<std::string> switches)
{
    switches.insert(switches.begin(), {"7zz", "a", "-bd", "-bso0", "-bsp0", archive});
    switches.push_back(sourceDir + "/*");
    RunResult r = run(switches);
    if (r.status != 0)
        throw std::runtime_error("7zz failed: " + r.err);
}

} // namespace testfiles
