// The game's application object: the game library's, with the game's screen flow.
#include "game/Application.h"

#include "game/ScreenFlow.h"
#include "gamelib/GameLib.h"

using gamelib::GameLib;

namespace tintrow {

vela::microedition::midlet::DMIDletPtr createApplication()
{
    return new GameLib(ScreenFlow::create);
}

} // namespace tintrow
