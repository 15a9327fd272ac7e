// The application the shell drives: main hands the game's factory to the shell.
#pragma once

#include "microedition/midlet/DMIDlet.ptr"

// Called once by CGameEngine::start, after the standard streams exist and before the display.
using ApplicationFactory = vela::microedition::midlet::DMIDletPtr (*)();
