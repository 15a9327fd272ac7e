// A displayable with its own back buffer that receives key and pointer events.
#pragma once

#include "host/Surface.h"
#include "lang/DArray.h"
#include "microedition/lcdui/DCanvas.ptr"
#include "microedition/lcdui/DDisplayable.h"
#include "util/DHashtable.ptr"

namespace vela::microedition::lcdui {

class DCanvas : public DDisplayable {
public:
    // Game actions.
    enum {
        UP = 0, DOWN = 1, LEFT = 2, RIGHT = 3, FIRE = 4,
        GAME_A = 5, GAME_B = 6, GAME_C = 7, GAME_D = 8,
        SOFT_LEFT = 9, SOFT_RIGHT = 10, STAR = 11, POUND = 12,
    };
    // Command keys of the runtime.
    enum { KEY_SOFT_LEFT = 10000, KEY_SOFT_RIGHT = 10001, KEY_ACTION = 10002, KEY_POUND = 10003, KEY_STAR = 10004 };

    // One pair of the default key-to-action map.
    struct KeyAction {
        int32_t key;
        int32_t action;
    };
    // The default map, in the order it is built; every canvas starts from it.
    static const KeyAction DEFAULT_KEYS[];
    static const int32_t DEFAULT_KEY_COUNT;

    DCanvas();
    ~DCanvas() override;

    // Only releases the graphics.
    void paint(DGraphicsPtr g) override;

    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    // The game action of a key, or -1.
    int32_t getGameAction(int32_t keyCode) const;
    static lang::DStringPtr getKeyName(int32_t keyCode);

    // A key set: an object array indexed by game action of DintArray rows of key codes; a
    // null row keeps the default keys of that action. Adding a set selects it.
    void addKeySet(int32_t id, lang::DObjectArrayPtr set);
    void selectKeySet(int32_t id);

    host::Surface& backBuffer() { return buffer; }

private:
    void mapKey(int32_t key, int32_t action);

    host::Surface buffer;
    util::DHashtablePtr keySets;
    util::DHashtablePtr keyMap;
};

} // namespace vela::microedition::lcdui
