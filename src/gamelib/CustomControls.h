// The key-binding screen: a table of game actions with two key cells each, kept in a store.
#pragma once

#include "gamelib/CustomControls.ptr"
#include "lang/DArray.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.ptr"
#include "microedition/lcdui/DImage.ptr"

namespace gamelib {

class CustomControls : public vela::lang::DObject {
public:
    enum Answer { OPEN = 0, ACCEPTED = 1, CANCELLED = 2 };
    static constexpr int32_t SLOT_COUNT = 16;
    static constexpr int32_t INPUT_INTERVAL = 200;
    // Below this screen height the "OK" and "CANCEL" rows are left out.
    static constexpr int32_t SMALL_SCREEN_HEIGHT = 209;

    // Bit a of the mask makes action a configurable.
    explicit CustomControls(int32_t actionMask);

    // Names the store "keys_" + the application name, lays the screen out, makes the slots.
    void setStoreName(const vela::lang::DStringPtr& applicationName);
    // Reads the texts and measures the layout in font 2.
    void prepare();
    // The bindings from the store, or the defaults when it is missing or damaged; an object
    // array indexed by action, ready for the canvas's addKeySet.
    vela::lang::DObjectArrayPtr loadBindings();
    void resetToDefaults();
    // False when the store could not be written.
    bool saveBindings();
    int32_t tick();
    void paint(const vela::microedition::lcdui::DGraphicsPtr& g);

    // The default keys of an action in the canvas's default key map, in that map's order.
    static void defaultKeys(int32_t action, int32_t* keys, int32_t count);

    int32_t row = 0;
    int32_t column = 0;
    int64_t lastTapTime = 0;
    int32_t tapRow = -1;
    int32_t tapColumn = -1;
    int32_t rowHeight = 0;
    int32_t nameColumnWidth = 0;
    int32_t keyColumnWidth = 0;
    vela::lang::DStringPtr storeName;
    int32_t actionMask;
    int32_t actionCount = 0;
    int32_t panelLeft = 0;
    int32_t panelTop = 0;
    int32_t panelWidth = 0;
    int32_t panelMaxHeight = 0;
    int32_t listHeight = 0;
    bool smallScreen = false;
    vela::microedition::lcdui::DImagePtr background;
    vela::lang::DStringArrayPtr actionNames;
    vela::lang::DStringArrayPtr labels;
    int32_t keysPerAction = 2;
    vela::lang::DObjectArrayPtr bindings;
    bool waiting = false;

private:
    int32_t rowCount() const;
    // The configurable action shown on an action row.
    int32_t actionOfRow(int32_t actionRow) const;
    vela::lang::DintArrayPtr keysOfRow(int32_t actionRow) const;
    bool readStore(const vela::lang::DObjectArrayPtr& into);
    int32_t takeInput();
    int32_t fire();
    int32_t finish(int32_t answer);
    void takeKey();
    bool takeTap();
    int32_t labelTop(int32_t labelRow) const;
    void paintSelection(const vela::microedition::lcdui::DGraphicsPtr& g);
    void paintTable(const vela::microedition::lcdui::DGraphicsPtr& g);
    void paintLabels(const vela::microedition::lcdui::DGraphicsPtr& g);

    int64_t lastInputTime = 0;
};

} // namespace gamelib
