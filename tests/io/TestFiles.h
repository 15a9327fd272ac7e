// Test helpers: temporary folders, whole-file reads and writes, and running programs.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <ftw.h>
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

inline void removeTree(const std::string& path)
{
    ::nftw(path.c_str(),
           [](const char* p, const struct stat*, int, struct FTW*) { return ::remove(p); }, 16,
           FTW_DEPTH | FTW_PHYS);
}

// A fresh folder under `parent`, removed with everything in it at the end of the test.
class TempDir {
public:
    explicit TempDir(const std::string& parent = "/tmp")
    {
        std::string pattern = parent + "/tintrow-test-XXXXXX";
        if (!::mkdtemp(&pattern[0]))
            throw std::runtime_error("mkdtemp failed in " + parent);
        path_ = pattern;
    }
    ~TempDir() { removeTree(path_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline void makeDirs(const std::string& path)
{
    for (std::size_t i = 1; i <= path.size(); ++i)
        if (i == path.size() || path[i] == '/')
            ::mkdir(path.substr(0, i).c_str(), 0755);
}

inline void writeFile(const std::string& path, const Bytes& data)
{
    std::size_t slash = path.rfind('/');
    if (slash != std::string::npos)
        makeDirs(path.substr(0, slash));
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        throw std::runtime_error("cannot write " + path);
    if (!data.empty())
        std::fwrite(data.data(), 1, data.size(), f);
    std::fclose(f);
}

inline void writeFile(const std::string& path, const std::string& text)
{
    writeFile(path, Bytes(text.begin(), text.end()));
}

inline Bytes readFile(const std::string& path)
{
    Bytes data;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        throw std::runtime_error("cannot read " + path);
    int c;
    while ((c = std::fgetc(f)) != EOF)
        data.push_back(std::uint8_t(c));
    std::fclose(f);
    return data;
}

inline bool exists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// Deterministic bytes that differ from member to member.
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

struct RunResult {
    int status = -1; // exit status, or -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Runs a program without a shell; `input` goes to its standard input.
inline RunResult run(const std::vector<std::string>& argv, const std::string& input = "",
                     const std::vector<std::string>& extraEnv = {})
{
    TempDir io;
    std::string inPath = io / "in", outPath = io / "out", errPath = io / "err";
    writeFile(inPath, input);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> envStrings(extraEnv);
    for (char** e = environ; *e; ++e)
        envStrings.push_back(*e);
    std::vector<char*> env;
    for (auto& e : envStrings)
        env.push_back(&e[0]);
    env.push_back(nullptr);
    pid_t pid;
    RunResult result;
    if (posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data()) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    Bytes out = readFile(outPath), err = readFile(errPath);
    result.out.assign(out.begin(), out.end());
    result.err.assign(err.begin(), err.end());
    return result;
}

// Packs the folder `sourceDir` into `archive` with 7-Zip and the given switches.
inline void make7z(const std::string& archive, const std::string& sourceDir,
                   const std::vector<std::string>& switches)
{
    std::vector<std::string> argv = {"7zz", "a", "-bd", "-bso0", "-bsp0", archive};
    argv.insert(argv.end(), switches.begin(), switches.end());
    argv.push_back(sourceDir + "/*");
    RunResult r = run(argv);
    if (r.status != 0)
        throw std::runtime_error("7zz failed: " + r.err);
}

} // namespace testfiles
