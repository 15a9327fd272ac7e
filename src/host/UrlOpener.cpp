// Opening a URL through xdg-open, started without a shell.
#include "host/UrlOpener.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cctype>
#include <thread>

extern char** environ;

namespace host {

namespace {

const char* const OPENABLE_SCHEMES[] = {"http:", "https:", "mailto:"};

void launchWithXdgOpen(const std::string& url)
{
    char program[] = "xdg-open";
    std::string arg = url;
    char* argv[] = {program, arg.data(), nullptr};
    pid_t pid;
    if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) == 0)
        std::thread([pid] { waitpid(pid, nullptr, 0); }).detach(); // no zombie, and no waiting here
}

UrlLauncher launcher = launchWithXdgOpen;

bool startsWithNoCase(const std::string& s, const char* prefix)
{
    for (size_t i = 0; prefix[i]; ++i)
        if (i >= s.size() || std::tolower(static_cast<unsigned char>(s[i])) != prefix[i])
            return false;
    return true;
}

} // namespace

bool isOpenableUrl(const std::string& url)
{
    for (const char* scheme : OPENABLE_SCHEMES)
        if (startsWithNoCase(url, scheme))
            return true;
    return false;
}

void openUrl(const std::string& url)
{
    if (isOpenableUrl(url))
        launcher(url);
}

void setUrlLauncher(UrlLauncher l)
{
    launcher = l ? l : launchWithXdgOpen;
}

} // namespace host
