// What the fuzz targets share: a private program folder, clean-failure checks, input splitting.
#pragma once

#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.ptr"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzz {

// Runtime failures of the Exception family are the clean way to refuse input; anything
// else (another kind, a null record) escapes the body and is a finding.
template <class Body>
void expectCleanFailure(Body&& body)
{
    try {
        body();
    } catch (vela::lang::DExceptionBase* e) {
        if (!e || !vela::lang::DExceptionBase::isKind(e, vela::lang::Exception))
            std::abort();
        delete e;
    }
}

// A folder of this process that stands as the program's folder and holds the data folder
// (TINTROW_HOME) too; made, and wired into the runtime, on first use.
const std::string& scratchFolder();
// Writes a file of the program folder (no archive is open, so resources come from there).
void writeProgramFile(const std::string& name, const void* data, size_t size);
void writeProgramFile(const std::string& name, const std::string& bytes);
// Replaces every record of a store by the given ones (ids 1, 2, ...).
void writeStore(const std::string& store, const std::vector<std::string>& records);

// Splits the input into parts, each a one-byte length and that many bytes; a short last part
// takes what is left.
std::vector<std::string> lengthPrefixedParts(const uint8_t* data, size_t size);
// The bytes as text, one unit per byte (Latin-1), as the runtime reads byte lines.
vela::lang::DStringPtr latin1Text(const uint8_t* data, size_t size);
// A 240 x 320 image's graphics to draw into.
vela::microedition::lcdui::DGraphicsPtr scratchGraphics();
// A small picture (PNG bytes) for sprite sets and fonts: 64 x 32 in four colours.
const std::string& samplePng();

} // namespace fuzz
