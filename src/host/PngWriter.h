// Writing a surface as an 8-bit RGB PNG (screen shots of scripted runs).
#pragma once

#include "host/Surface.h"

#include <string>

namespace host {

// False with a reason when the file cannot be written; the same pixels always give the same bytes.
bool writePng(const Surface& surface, const std::string& path, std::string& error);

} // namespace host
