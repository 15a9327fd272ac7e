// The application the shell drives: the game library defines this factory.
#pragma once

#include "microedition/midlet/DMIDlet.ptr"

// Called once by CGameEngine::start, after the standard streams exist and before the display.
vela::microedition::midlet::DMIDletPtr createApplication();
