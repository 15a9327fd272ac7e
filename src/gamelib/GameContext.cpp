// Process-wide state of the game library.
#include "gamelib/GameContext.h"

#include "gamelib/GameFlow.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/StringManager.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "util/DRandom.h"

#include <memory>

namespace gamelib {

namespace {

std::unique_ptr<GameContext>& instance()
{
    static std::unique_ptr<GameContext> context;
    return context;
}

}

GameContext& GameContext::get()
{
    if (!instance())
        instance().reset(new GameContext());
    return *instance();
}

void GameContext::reset()
{
    instance().reset();
}

} // namespace gamelib
