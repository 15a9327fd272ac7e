// The canvas's queue of key events: filled by the key callbacks, drained one event per tick.
#pragma once

#include <cstdint>

namespace gamelib {

struct KeyEvent {
    int32_t code;
    bool pressed;
};

class KeyQueue {
public:
    static constexpr int CAPACITY = 1024;

    KeyQueue() { clear(); }

    void clear();
    // A full queue keeps overwriting its last entry, so the newest event is never lost.
    void append(int32_t code, bool pressed);
    // Takes the oldest event; false when the queue is empty.
    bool take(KeyEvent& event);
    bool isEmpty() const { return readIndex < 0; }

private:
    KeyEvent entries[CAPACITY];
    int32_t readIndex;
    int32_t writeIndex;
};

} // namespace gamelib
