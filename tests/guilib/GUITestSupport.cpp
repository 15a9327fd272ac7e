// The fixture and event recorder shared by the GUI tests.
#include "GUITestSupport.h"

#include "gamelib/GameContext.h"

using namespace gamelib;
using namespace guilib;

namespace guitest {

EventLog& eventLog()
{
    static EventLog log;
    return log;
}

void recordEvents(const GUIWidgetPtr& widget, std::initializer_list<int32_t> events)
{
    for (int32_t e : events)
        widget->addAction(e, GUIAction::ACTION_NONE, 0, nullptr,
            [](GUIAction& a) { eventLog().emplace_back(a.source ? a.source->id : -99, a.event); });
}

void GUITest::SetUp()
{
    eventLog().clear();
    // Bitmap fonts skip text outside the game's screen.
    GameContext::get().screenWidth = host.width;
    GameContext::get().screenHeight = host.height;
    engine().setHost(&host);
}

void GUITest::TearDown()
{
    GUIEngine::shutdown();
    GameContext::reset();
}

void GUITest::drain()
{
    while (GUIActionPtr action = engine().pollAction())
        engine().executeAction(action);
}

void GUITest::frame(int count)
{
    for (int i = 0; i < count; ++i) {
        engine().update();
        drain();
    }
}

GUIWidgetPtr GUITest::tap(int32_t x, int32_t y)
{
    press(x, y);
    GUIWidgetPtr captured = engine().getPointerCapture();
    release();
    return captured;
}

GUIWidgetPtr GUITest::makeWidget(int32_t id, int32_t x, int32_t y, int32_t w, int32_t h)
{
    GUIWidgetPtr widget = new GUIWidget(id);
    widget->setBounds(x, y, w, h);
    return widget;
}

} // namespace guitest
