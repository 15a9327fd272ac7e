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

TickSource tickSource = monotonicMillis;

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

} // namespace

void setTickSource(TickSource source)
{
    tickSource = source ? source : monotonicMillis;
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

} // namespace vela::lang::host
