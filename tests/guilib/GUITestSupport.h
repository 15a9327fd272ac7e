// The fixture of the GUI tests: a fresh engine on a fake host, an event recorder, gestures.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "GUIFakeHost.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIWidget.h"

namespace guitest {

// One handled event as the recording callback saw it: widget id and event code.
using EventLog = std::vector<std::pair<int32_t, int32_t>>;
EventLog& eventLog();
// Binds a recorder of (source id, event) to each of the events (chained after existing ones).
void recordEvents(const guilib::GUIWidgetPtr& widget, std::initializer_list<int32_t> events);
// A point as a comparable, printable pair.
inline std::pair<int32_t, int32_t> xy(guilib::GUIPoint p)
{
    return { p.x, p.y };
}

class GUITest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    guilib::GUIEngine& engine() { return *guilib::GUIEngine::getInstance(); }
    // Executes every queued action in order.
    void drain();
    // Frames as the application runs them: update, then the queue.
    void frame(int count = 1);
    // Pointer gestures, each followed by a frame.
    void press(int32_t x, int32_t y)
    {
        host.press(x, y);
        frame();
    }
    void dragTo(int32_t x, int32_t y)
    {
        host.drag(x, y);
        frame();
    }
    void release()
    {
        host.release();
        frame();
    }
    // Press and release at a point; returns the widget that captured the press.
    guilib::GUIWidgetPtr tap(int32_t x, int32_t y);
    guilib::GUIWidgetPtr makeWidget(int32_t id, int32_t x, int32_t y, int32_t w, int32_t h);
    guilib::GUIWidgetPtr makeScreen(int32_t id) { return makeWidget(id, 0, 0, 240, 320); }
    static guilib::GUIActionPtr action(
        int32_t type, int32_t param = 0, const vela::lang::DObjectPtr& data = nullptr)
    {
        return new guilib::GUIAction(type, param, data, nullptr);
    }

    FakeHost host;
};

} // namespace guitest
