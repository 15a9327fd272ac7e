// SDL key symbols to the handheld's virtual-key codes.
#pragma once

#include <SDL.h>

namespace host {

// The virtual-key code of an SDL key, or 0 for keys the game never sees.
int virtualKeyOf(SDL_Keycode sym);

} // namespace host
