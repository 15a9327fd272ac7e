// Host hooks: the few host facts the runtime core needs, with POSIX defaults.
//
// The core never includes SDL or shell headers. The shell installs its own answers here at
// start-up (before the application is created) and may change the clock at any time:
//  - the millisecond tick count: default CLOCK_MONOTONIC; scripted runs install a virtual
//    clock. Read by DSystem::currentTimeMillis and so by DRandom's default seed. A clock comes
//    with its way of sleeping, which waits use between reads: the default clock sleeps with
//    nanosleep; a clock installed without a sleeper (virtual time) is never slept on.
//  - the platform type text: "PocketPC" unless the shell sets "SmartPhone" (command line).
//    Read by the "platform.string" and "input.*" system properties.
//  - the program's file name: default the target of /proc/self/exe. "app.fullpath" is the
//    program's directory: the executable's own folder when "game.dat" is there (the build
//    tree), else ../share/tintrow beside it when that holds "game.dat" (an installed copy).
// Every setter accepts null or empty to restore the default. Not thread-safe: call from the
// application thread only.
#pragma once

#include <cstdint>
#include <string>

namespace vela::lang::host {

using TickSource = uint64_t (*)();
using Sleeper = void (*)(uint32_t millis);

void setTickSource(TickSource source, Sleeper sleeper = nullptr);
uint64_t tickCount();
// Lets up to `millis` of the clock's time pass without work, where the clock can sleep.
void sleepFor(uint32_t millis);

void setPlatformType(const char16_t* text);
const std::u16string& platformType();

void setProgramFile(const std::string& path);
std::string programFile();
std::string programDirectory();
// The program's directory is an installed copy's shared data folder, not the executable's.
bool programIsInstalled();

} // namespace vela::lang::host
