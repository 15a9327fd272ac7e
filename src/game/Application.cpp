// The application factory the shell calls: the game library's application object with the game.
#include "game/ScreenFlow.h"
#include "gamelib/GameLib.h"
#include "shell/ApplicationFactory.h"

vela::microedition::midlet::DMIDletPtr createApplication()
{
    return new GameLib(tintrow::ScreenFlow::create);
}
