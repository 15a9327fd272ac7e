// The on-screen letter grid for entering a name: typed keys, arrows and taps.
#pragma once

#include "gamelib/VirtualKeyboard.ptr"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.ptr"
#include "microedition/lcdui/DImage.ptr"

namespace gamelib {

class VirtualKeyboard : public vela::lang::DObject {
public:
    static constexpr int32_t COLUMNS = 6;
    static constexpr int32_t MAX_LENGTH = 9;
    static constexpr int32_t INPUT_INTERVAL = 200;
    static constexpr int32_t BLINK_INTERVAL = 500;

    VirtualKeyboard();
    // Alphabet, frame images, colours, 21 x 19 cells, layout and an empty name.
    void init();
    // Square or other cells; the grid is centred again.
    void setCellSize(int32_t width, int32_t height);
    void tick();
    void paint(const vela::microedition::lcdui::DGraphicsPtr& g,
        const vela::microedition::lcdui::DImagePtr& background);

    // The cells after the letters.
    int32_t okCell() const { return alphabet->length(); }
    int32_t deleteCell() const { return alphabet->length() + 1; }
    int32_t cellCount() const { return alphabet->length() + 2; }

    int32_t gridX = 0;
    int32_t gridY = 0;
    int32_t textX = 0;
    int32_t textY = 0;
    int32_t columns = COLUMNS;
    int32_t rows = 0;
    int32_t cellTextColour = 0xAAAAAA;
    int32_t frameColour = 0x555555;
    int32_t lightColour = 0xAAAAAA;
    int32_t paleColour = 0xCCCCCC;
    int32_t cellWidth = 21;
    int32_t cellHeight = 19;
    int32_t selected = 0;
    int32_t selectedColumn = 0;
    int32_t selectedRow = 0;
    int32_t lastRowCells = 0;
    int32_t gridWidth = 0;
    int32_t gridHeight = 0;
    int32_t maxLength = MAX_LENGTH;
    bool done = false;
    bool cursorVisible = true;
    int64_t cursorToggleTime = 0;
    int64_t lastTapTime = 0;
    vela::microedition::lcdui::DImagePtr frameTop;
    vela::microedition::lcdui::DImagePtr frameMiddle;
    vela::microedition::lcdui::DImagePtr frameBottom;
    int32_t panelHeight = 0;
    int32_t panelTop = 0;
    vela::lang::DStringPtr alphabet;
    vela::lang::DStringPtr text;
    vela::lang::DStringPtr title;
    vela::microedition::lcdui::DImagePtr fullScreenImage;

private:
    void layout();
    void takeTap();
    void typeCharacter(int32_t code);
    void append(char16_t c);
    void removeLast();
    void move();
    void fire();
    int32_t cellsInRow(int32_t row) const;

    // The label of each cell: its letter, "OK" or "<-"; made once so painting allocates nothing.
    vela::lang::DStringArrayPtr labels;
};

} // namespace gamelib
