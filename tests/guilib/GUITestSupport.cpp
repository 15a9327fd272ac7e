// Fakes and fixture shared by the GUI tests.
#include "GUITestSupport.h"

#include "gamelib/GameContext.h"
#include "lang/DString.h"

using namespace gamelib;

namespace guitest {

EventLog& eventLog()
{
    static EventLog log;
    return log;
}

void recordEvent(GUIAction& action)
{
    eventLog().emplace_back(action.source ? action.source->id : -99, action.event);
}

void recordEvents(const GUIWidgetPtr& widget, std::initializer_list<int32_t> events)
{
    for (int32_t e : events)
        widget->addAction(e, GUIAction::ACTION_NONE, 0, nullptr, recordEvent);
}

void GUITest::SetUp()
{
    eventLog().clear();
    // Bitmap fonts skip text outside the game's screen.
    GameContext::get().screenWidth = host.width;
    GameContext::get().screenHeight = host.height;
    GUIEngine::getInstance()->setHost(&host);
    GUIEngine::getInstance()->setSoundControl(&sound);
}

void GUITest::TearDown()
{
    GUIEngine::shutdown();
    GameContext::reset();
}

int GUITest::drain()
{
    int count = 0;
    while (GUIActionPtr action = engine().pollAction()) {
        engine().executeAction(action);
        ++count;
    }
    return count;
}

void GUITest::frame()
{
    engine().update();
    drain();
}

GUIWidgetPtr GUITest::makeWidget(int32_t id, int32_t x, int32_t y, int32_t w, int32_t h)
{
    GUIWidgetPtr widget = new GUIWidget(id);
    widget->setBounds(x, y, w, h);
    return widget;
}

} // namespace guitest
