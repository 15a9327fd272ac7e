// Host hooks: the few host facts the runtime core needs, with POSIX defaults.
//
// The core never includes SDL or shell headers. The shell installs its own answers here at
// start-up (before the application is created) and may change the clock at any time:
//  - the millisecond tick count: default CLOCK_MONOTONIC; scripted runs install a virtual
//    clock. Read by DSystem::currentTimeMillis and so by DRandom's default seed.
//  - the platform type text: "PocketPC" unless the shell sets "SmartPhone" (command line).
//    Read by the "platform.string" and "input.*" system properties.
//  - the program's file name: default the target of /proc/self/exe. "app.fullpath" is its
//    directory.
// Every setter accepts null or empty to restore the default. Not thread-safe: call from the
// application thread only.
#pragma once

#include <cstdint>
#include <string>

namespace vela::lang::host {

using TickSource = uint64_t (*)();

void setTickSource(TickSource source);
uint64_t tickCount();

void setPlatformType(const char16_t* text);
const std::u16string& platformType();

void setProgramFile(const std::string& path);
std::string programFile();

} // namespace vela::lang::host
