// The table of fuzz targets by name.
#include "FuzzTargets.h"

namespace fuzz {

const NamedTarget TARGETS[] = {
    {"archive", archiveInput},       {"data", dataStreamInput},
    {"wave", waveInput},             {"module", moduleInput},
    {"png", pngInput},               {"jpeg", jpegInput},
    {"spriteset", spriteSetInput},   {"font", fontInput},
    {"strings", stringsInput},       {"resolution", resolutionInput},
    {"keys", keyBindingsInput},      {"markup", markupInput},
    {"level", levelInput},           {"savedgame", savedGameInput},
    {"settings", settingsInput},     {"hiscores", hiscoresInput},
    {"script", scriptInput},         {"commandline", commandLineInput},
    {nullptr, nullptr},
};

} // namespace fuzz
