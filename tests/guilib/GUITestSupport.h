// Fakes for GUI tests: a scripted canvas input state and clock, a sound recorder, a fixture.
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
// A callback that records (source id, event) when its action executes.
void recordEvent(gamelib::GUIAction& action);
// Binds the recorder to each of the events on the widget (chained after existing bindings).
void recordEvents(const gamelib::GUIWidgetPtr& widget, std::initializer_list<int32_t> events);

// Every test runs on a fresh engine bound to a fake host and a sound recorder.
class GUITest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    gamelib::GUIEngine& engine() { return *gamelib::GUIEngine::getInstance(); }
    // Executes every queued action in order; returns how many ran.
    int drain();
    // One frame as the application runs it: update, then the queue.
    void frame();
    gamelib::GUIWidgetPtr makeWidget(int32_t id, int32_t x, int32_t y, int32_t w, int32_t h);

    FakeHost host;
    SoundRecorder sound;
};

} // namespace guitest
