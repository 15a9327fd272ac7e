// The application factory the shell calls: the game library's application object.
#include "gamelib/GameLib.h"
#include "game/TitleScreen.h"
#include "shell/ApplicationFactory.h"

vela::microedition::midlet::DMIDletPtr createApplication()
{
    return new GameLib(TitleScreen::create);
}
