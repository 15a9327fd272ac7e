// The graphics type that GUI painting draws with.
#pragma once

#include "microedition/lcdui/DGraphics.ptr"

namespace guilib {
using vela::microedition::lcdui::DGraphicsPtr;
}
