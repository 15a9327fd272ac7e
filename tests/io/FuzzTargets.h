// Entry points shared by the libFuzzer drivers and the replay of their saved crashers.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzz {

// Opens the bytes as the resource archive and reads every member; failures must be clean.
void archiveInput(const uint8_t* data, size_t size);
// Reads the bytes as a sequence of modified UTF-8 records and other data reads.
void dataStreamInput(const uint8_t* data, size_t size);

} // namespace fuzz
