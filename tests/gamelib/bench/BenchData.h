// Data for the game library benchmarks: a small archive, or the real game.dat when built.
#pragma once

#include <string>

namespace bench {

// The folder of a program whose game.dat holds a 240x320 resolution file, a logo, a font
// page of the printable ASCII characters and a sprite set with a ten-part frame.
std::string syntheticProgramFolder();
// The folder holding the real game.dat beside the benchmark, or "" when it was not built.
std::string realProgramFolder();

} // namespace bench
