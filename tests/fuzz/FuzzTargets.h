// The fuzz targets: one per format the program reads, each taking any bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

using Target = void (*)(const uint8_t* data, size_t size);

struct NamedTarget {
    const char* name; // also the corpus folder and the driver's suffix (fuzz-NAME)
    Target run;
};

// Every target; ends with a null name.
extern const NamedTarget TARGETS[];

// Runtime formats.
void archiveInput(const uint8_t* data, size_t size);
void dataStreamInput(const uint8_t* data, size_t size);
// Media: sounds, music and pictures.
void waveInput(const uint8_t* data, size_t size);
void moduleInput(const uint8_t* data, size_t size);
void pngInput(const uint8_t* data, size_t size);
void jpegInput(const uint8_t* data, size_t size);
// The game library's resources and the GUI library's markup.
void spriteSetInput(const uint8_t* data, size_t size);
void fontInput(const uint8_t* data, size_t size);
void stringsInput(const uint8_t* data, size_t size);
void resolutionInput(const uint8_t* data, size_t size);
void keyBindingsInput(const uint8_t* data, size_t size);
void markupInput(const uint8_t* data, size_t size);
// The game's level files and stored records.
void levelInput(const uint8_t* data, size_t size);
void savedGameInput(const uint8_t* data, size_t size);
void settingsInput(const uint8_t* data, size_t size);
void hiscoresInput(const uint8_t* data, size_t size);
// What the user types: the scripted mode's scripts and the command line.
void scriptInput(const uint8_t* data, size_t size);
void commandLineInput(const uint8_t* data, size_t size);

} // namespace fuzz
