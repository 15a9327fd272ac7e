// The on-screen letter grid for entering a name.
#include "gamelib/VirtualKeyboard.h"

#include "gamelib/Fonts.h"
#include "gamelib/GameContext.h"
#include "gamelib/Resources.h"
#include "gamelib/ScreenCanvas.h"
#include "lang/DStringBuffer.h"
#include "lang/DSystem.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

#include <algorithm>
#include <cwctype>

using namespace vela::lang;
using vela::microedition::lcdui::DCanvas;
using vela::microedition::lcdui::DGraphics;
using vela::microedition::lcdui::DGraphicsPtr;
using vela::microedition::lcdui::DImagePtr;

namespace gamelib {

namespace {

const char16_t ALPHABET[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ- ";
const int32_t KEY_BACKSPACE = 8;
const int32_t KEY_LINE_FEED = 10;
const int32_t KEY_ENTER = 13;
const int32_t TEXT_MARGIN = 5;

int32_t heightOf(const DImagePtr& image)
{
    return image ? image->getHeight() : 0;
}

bool taken(int32_t action)
{
    return ScreenCanvas::actions[action];
}

}

VirtualKeyboard::VirtualKeyboard() : alphabet(new DString(ALPHABET)), text(new DString())
{
}

void VirtualKeyboard::init()
{
    alphabet = new DString(ALPHABET);
    frameTop = Resources::loadImage(u"img/input_top");
    frameMiddle = Resources::loadImage(u"img/input_midd");
    frameBottom = Resources::loadImage(u"img/input_bot");
    cellTextColour = 0xAAAAAA;
    frameColour = 0x555555;
    lightColour = 0xAAAAAA;
    paleColour = 0xCCCCCC;
    labels = new DStringArray(cellCount());
    for (int32_t cell = 0; cell < alphabet->length(); ++cell) {
        const char16_t letter[] = {alphabet->charAt(cell), 0};
        labels->set(cell, new DString(letter));
    }
    labels->set(okCell(), new DString(u"OK"));
    labels->set(deleteCell(), new DString(u"<-"));
    text = new DString();
    done = false;
    selected = selectedColumn = selectedRow = 0;
    cursorToggleTime = DSystem::currentTimeMillis();
    setCellSize(21, 19);
}

void VirtualKeyboard::setCellSize(int32_t width, int32_t height)
{
    cellWidth = width;
    cellHeight = height;
    layout();
}

void VirtualKeyboard::layout()
{
    GameContext& context = GameContext::get();
    rows = (cellCount() + columns - 1) / columns;
    lastRowCells = cellCount() - (rows - 1) * columns;
    gridWidth = cellWidth * columns;
    gridHeight = cellHeight * rows;
    panelHeight = heightOf(frameTop) + heightOf(frameMiddle) + heightOf(frameBottom);
    panelTop = (context.screenHeight - panelHeight) / 2;
    gridX = (context.screenWidth - gridWidth) / 2;
    gridY = panelTop + heightOf(frameTop);
    textX = gridX + TEXT_MARGIN;
    textY = panelTop + std::max(0, (heightOf(frameTop) - Fonts::get(Fonts::GAME)->getHeight()) / 2);
}

int32_t VirtualKeyboard::cellsInRow(int32_t row) const
{
    return row == rows - 1 ? lastRowCells : columns;
}

void VirtualKeyboard::tick()
{
    const int64_t now = DSystem::currentTimeMillis();
    if (now - cursorToggleTime >= BLINK_INTERVAL) {
        cursorVisible = !cursorVisible;
        cursorToggleTime = now;
    }
    takeTap();
    if (!ScreenCanvas::anyKeyPressed)
        return;
    if (ScreenCanvas::lastKeyPressed)
        typeCharacter(ScreenCanvas::lastKeyCode);
    move();
    const int32_t code = ScreenCanvas::lastKeyPressed ? ScreenCanvas::lastKeyCode : 0;
    if (taken(DCanvas::SOFT_LEFT) || code == KEY_ENTER || code == KEY_LINE_FEED)
        done = text->length() > 0;
    else if (taken(DCanvas::FIRE))
        fire();
    else if (taken(DCanvas::SOFT_RIGHT) || code == KEY_BACKSPACE)
        removeLast();
    const int32_t cell = selectedRow * columns + selectedColumn;
    if (cell < cellCount())
        selected = cell;
    for (int32_t action : {DCanvas::UP, DCanvas::DOWN, DCanvas::LEFT, DCanvas::RIGHT, DCanvas::FIRE,
             DCanvas::SOFT_LEFT, DCanvas::SOFT_RIGHT})
        ScreenCanvas::actions[action] = false;
    ScreenCanvas::anyKeyPressed = false;
    ScreenCanvas::lastKeyPressed = false;
}

// The stylus on a cell selects it and fires; a held stylus taps again every INPUT_INTERVAL.
void VirtualKeyboard::takeTap()
{
    if (!ScreenCanvas::pointerDown)
        return;
    const int64_t now = DSystem::currentTimeMillis();
    if (now - lastTapTime < INPUT_INTERVAL)
        return;
    lastTapTime = now;
    const int32_t x = ScreenCanvas::pointerX - gridX, y = ScreenCanvas::pointerY - gridY;
    if (x < 0 || y < 0 || cellWidth <= 0 || cellHeight <= 0)
        return;
    const int32_t column = x / cellWidth, row = y / cellHeight;
    if (row >= rows || column >= cellsInRow(row))
        return;
    selectedColumn = column;
    selectedRow = row;
    ScreenCanvas::actions[DCanvas::FIRE] = true;
    ScreenCanvas::anyKeyPressed = true;
}

void VirtualKeyboard::typeCharacter(int32_t code)
{
    if (code < 0 || code > 0xFFFF || text->length() >= maxLength)
        return;
    char16_t c = char16_t(code);
    if (alphabet->indexOf(c) < 0)
        c = char16_t(std::towupper(c));
    if (alphabet->indexOf(c) >= 0)
        append(c);
}

void VirtualKeyboard::append(char16_t c)
{
    if (text->length() >= maxLength)
        return;
    DStringBufferPtr buffer = new DStringBuffer();
    buffer->append(text);
    buffer->append(c);
    text = buffer->toString();
}

void VirtualKeyboard::removeLast()
{
    if (text->length() > 0)
        text = text->substring(0, text->length() - 1);
}

void VirtualKeyboard::move()
{
    if (taken(DCanvas::LEFT)) {
        const int32_t cells = cellsInRow(selectedRow);
        selectedColumn = selectedColumn == 0 ? cells - 1 : std::min(selectedColumn - 1, cells - 1);
    }
    if (taken(DCanvas::RIGHT))
        selectedColumn = selectedColumn + 1 >= cellsInRow(selectedRow) ? 0 : selectedColumn + 1;
    if (taken(DCanvas::UP))
        selectedRow = selectedRow == 0 ? rows - 1 : selectedRow - 1;
    if (taken(DCanvas::DOWN))
        selectedRow = selectedRow + 1 >= rows ? 0 : selectedRow + 1;
    selectedColumn = std::min(selectedColumn, cellsInRow(selectedRow) - 1);
}

void VirtualKeyboard::fire()
{
    const int32_t cell = selectedRow * columns + selectedColumn;
    if (cell < alphabet->length())
        append(alphabet->charAt(cell));
    else if (cell == okCell())
        done = text->length() > 0;
    else if (cell == deleteCell())
        removeLast();
}

void VirtualKeyboard::paint(const DGraphicsPtr& g, const DImagePtr& backgroundImage)
{
    GameContext& context = GameContext::get();
    Fonts::setCurrentFont(Fonts::GAME);
    if (backgroundImage)
        g->drawImage(backgroundImage, 0, 0, 0);
    const int32_t centre = context.screenWidth / 2;
    int32_t y = panelTop;
    for (const DImagePtr& frame : {frameTop, frameMiddle, frameBottom}) {
        if (frame)
            g->drawImage(frame, centre, y, DGraphics::HCENTER | DGraphics::TOP);
        y += heightOf(frame);
    }
    const int32_t textOffset = (cellHeight - Fonts::height()) / 2;
    g->setColor(cellTextColour);
    for (int32_t cell = 0; cell < cellCount(); ++cell) {
        const int32_t cx = gridX + (cell % columns) * cellWidth, cy = gridY + (cell / columns) * cellHeight;
        Fonts::drawString(g, labels->get(cell), cx + cellWidth / 2, cy + textOffset, DGraphics::HCENTER);
    }
    const int32_t sx = gridX + (selected % columns) * cellWidth, sy = gridY + (selected / columns) * cellHeight;
    g->setColor(frameColour);
    g->drawRect(sx, sy, cellWidth - 1, cellHeight - 1);
    Fonts::drawString(g, labels->get(selected), sx + cellWidth / 2, sy + textOffset, DGraphics::HCENTER);
    if (title)
        Fonts::drawString(g, title, centre, textY - Fonts::height(), DGraphics::HCENTER);
    Fonts::drawString(g, text, textX, textY, 0);
    if (cursorVisible) {
        const int32_t cursorX = textX + Fonts::stringWidth(text);
        g->fillRect(cursorX, textY + Fonts::height() - 2, Fonts::stringWidth(labels->get(alphabet->indexOf(u'W'))), 2);
    }
}

} // namespace gamelib
