// The canvas's queue of key events.
#include "gamelib/KeyQueue.h"

namespace gamelib {

void KeyQueue::clear()
{
    readIndex = -1;
    writeIndex = -1;
}

void KeyQueue::append(int32_t code, bool pressed)
{
    if (writeIndex < 0)
        readIndex = 0;
    if (writeIndex < CAPACITY - 1)
        ++writeIndex;
    entries[writeIndex] = KeyEvent{code, pressed};
}

bool KeyQueue::take(KeyEvent& event)
{
    if (readIndex < 0)
        return false;
    event = entries[readIndex];
    if (++readIndex > writeIndex)
        clear();
    return true;
}

} // namespace gamelib
