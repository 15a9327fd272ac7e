// Default POSIX answers for the host hooks and the shell's overrides.
#include "lang/HostHooks.h"

#include <climits>
#include <ctime>
#include <unistd.h>

namespace vela::lang::host {

namespace {

uint64_t monotonicMillis()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
}

void sleepMonotonic(uint32_t millis)
{
    timespec span {static_cast<time_t>(millis / 1000), static_cast<long>(millis % 1000) * 1000000L};
    nanosleep(&span, nullptr); // an interrupted sleep is only a shorter one
}

TickSource tickSource = monotonicMillis;
Sleeper tickSleeper = sleepMonotonic;

const std::u16string& defaultPlatform()
{
    static const std::u16string pocketPc = u"PocketPC";
    return pocketPc;
}

std::u16string& platform()
{
    static std::u16string text = defaultPlatform();
    return text;
}

std::string& programOverride()
{
    static std::string path;
    return path;
}

const char ARCHIVE_NAME[] = "game.dat";
const char INSTALLED_DATA[] = "share/tintrow";

std::string executableDirectory()
{
    std::string path = programFile();
    size_t cut = path.rfind('/');
    if (cut != std::string::npos)
        path.resize(cut);
    return path;
}

// <prefix>/share/tintrow for an executable in <prefix>/bin.
std::string installedDataDirectory(const std::string& executableDir)
{
    size_t cut = executableDir.rfind('/');
    std::string prefix = cut == std::string::npos ? std::string("..") : executableDir.substr(0, cut);
    return prefix + "/" + INSTALLED_DATA;
}

bool holdsArchive(const std::string& dir)
{
    return access((dir + "/" + ARCHIVE_NAME).c_str(), F_OK) == 0;
}

} // namespace

void setTickSource(TickSource source, Sleeper sleeper)
{
    tickSource = source ? source : monotonicMillis;
    tickSleeper = source ? sleeper : sleepMonotonic;
}

void sleepFor(uint32_t millis)
{
    if (tickSleeper)
        tickSleeper(millis);
}

uint64_t tickCount()
{
    return tickSource();
}

void setPlatformType(const char16_t* text)
{
    platform() = text && *text ? std::u16string(text) : defaultPlatform();
}

const std::u16string& platformType()
{
    return platform();
}

void setProgramFile(const std::string& path)
{
    programOverride() = path;
}

std::string programFile()
{
    if (!programOverride().empty())
        return programOverride();
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

std::string programDirectory()
{
    std::string own = executableDirectory();
    if (holdsArchive(own))
        return own;
    std::string installed = installedDataDirectory(own);
    return holdsArchive(installed) ? installed : own;
}

bool programIsInstalled()
{
    return programDirectory() != executableDirectory();
}

} // namespace vela::lang::host
