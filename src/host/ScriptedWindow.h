// The virtual window of headless runs: events come from a script, time from a virtual clock.
#pragma once

#include "host/Clock.h"
#include "host/Gamepad.h"
#include "host/Script.h"
#include "host/Window.h"

#include <deque>
#include <set>
#include <vector>

namespace host {

class ScriptedWindow : public Window {
public:
    ScriptedWindow(int width, int height, std::vector<ScriptCommand> script, VirtualClock& clock);

    Surface& screen() override { return device; }
    void present() override {}
    bool hasDisplay() const override { return false; }
    // Plays commands up to the next wait; the timeout is meaningless in virtual time.
    bool nextEvent(HostEvent& event, int timeoutMs) override;

    // Set when a command could not be carried out (a shot or heap line that could not be written).
    const std::string& failure() const { return failureText; }

private:
    void play(const ScriptCommand& cmd);
    void keyDown(int key);
    void keyUp(int key);
    void pointer(HostEvent::Type type, int x, int y);
    void button(const ScriptCommand& cmd, bool down);
    void axis(int axis, int value);
    void shot(const ScriptCommand& cmd);
    void heap(const ScriptCommand& cmd);
    void push(HostEvent::Type type, int key = 0, int x = 0, int y = 0, bool repeat = false);

    Surface device;
    std::vector<ScriptCommand> script;
    size_t next = 0;
    VirtualClock& clock;
    std::deque<HostEvent> pending;
    bool waiting = false;
    uint32_t waitUntil = 0;
    bool ended = false;
    bool stylusDown = false;
    std::set<int> keysDown;
    // The script's gamepad: its events go through the same translation as a real one's.
    Gamepad gamepad;
    std::string failureText;
};

} // namespace host
