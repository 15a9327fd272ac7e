// The game's application object, for main to hand to the shell.
#pragma once

#include "microedition/midlet/DMIDlet.ptr"

namespace tintrow {

// The game library's application object, which makes the game's screen flow.
vela::microedition::midlet::DMIDletPtr createApplication();

} // namespace tintrow
