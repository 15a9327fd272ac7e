// Where pictures come from: a file beside the program, else a member of the resource archive.
#pragma once

#include "host/Surface.h"
#include "lang/DString.ptr"

namespace vela::microedition::lcdui {

// The decoded picture of an image name; throws IOException when it cannot be found or decoded.
host::Surface loadPicture(const lang::DStringPtr& name);

} // namespace vela::microedition::lcdui
