// The key-binding screen: input, layout and painting.
#include "gamelib/CustomControls.h"

#include "gamelib/Fonts.h"
#include "gamelib/GameContext.h"
#include "gamelib/ScreenCanvas.h"
#include "gamelib/StringManager.h"
#include "lang/DSystem.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

#include <algorithm>

using namespace vela::lang;
using vela::microedition::lcdui::DCanvas;
using vela::microedition::lcdui::DGraphics;
using vela::microedition::lcdui::DGraphicsPtr;

namespace gamelib {

namespace {

const int32_t NAME_FILL = 0xE6D2A5;
const int32_t SELECTION_FILL = 0xE6D2A5;
const int32_t LINE_COLOUR = 0x186900;
const char16_t* const LABEL_KEYS[] = {u"CTRL_DEFAULT", u"OK", u"CANCEL"};
const int32_t LABEL_COUNT = 3;
// Space between the action rows and the label rows.
const int32_t LABEL_GAP = 3;

bool actionSet(int32_t action)
{
    return ScreenCanvas::actions[action];
}

void clearAction(int32_t action)
{
    ScreenCanvas::actions[action] = false;
}

}

CustomControls::CustomControls(int32_t mask) : actionMask(mask)
{
    for (int32_t a = 0; a < SLOT_COUNT; ++a)
        if (mask & (1 << a))
            ++actionCount;
}

void CustomControls::setStoreName(const DStringPtr& applicationName)
{
    GameContext& context = GameContext::get();
    storeName = u"keys_" + applicationName;
    const int32_t w = context.screenWidth, h = context.screenHeight;
    panelLeft = w / 16;
    panelTop = w / 8;
    panelWidth = w - 2 * (w / 16);
    panelMaxHeight = h - 2 * (w / 8);
    smallScreen = h < SMALL_SCREEN_HEIGHT;
    bindings = new DObjectArray(SLOT_COUNT);
    for (int32_t a = 0; a < SLOT_COUNT; ++a)
        if (actionMask & (1 << a))
            (*bindings)[a] = new DintArray(keysPerAction);
    resetToDefaults();
    prepare();
}

void CustomControls::prepare()
{
    Fonts::setCurrentFont(Fonts::GAME);
    StringManagerPtr strings = GameContext::get().strings;
    auto text = [&strings](const char16_t* key) {
        return strings ? strings->get(key) : DStringPtr(new DString(key));
    };
    actionNames = StringManager::split(text(u"CTRL_ACTIONS"), u';');
    labels = new DStringArray(LABEL_COUNT);
    for (int32_t i = 0; i < LABEL_COUNT; ++i)
        labels->set(i, text(LABEL_KEYS[i]));
    rowHeight = Fonts::height() + 4;
    int32_t widest = 0;
    for (int32_t i = 0; i < actionNames->length(); ++i)
        widest = std::max(widest, Fonts::stringWidth(actionNames->get(i)));
    nameColumnWidth = widest + 6;
    keyColumnWidth = (panelWidth - nameColumnWidth) / keysPerAction;
    listHeight = actionCount * rowHeight;
}

int32_t CustomControls::rowCount() const
{
    return actionCount + (smallScreen ? 1 : LABEL_COUNT);
}

int32_t CustomControls::actionOfRow(int32_t actionRow) const
{
    for (int32_t a = 0, seen = 0; a < SLOT_COUNT; ++a)
        if ((actionMask & (1 << a)) && seen++ == actionRow)
            return a;
    return -1;
}

DintArrayPtr CustomControls::keysOfRow(int32_t actionRow) const
{
    return ptrCast<DintArray>((*bindings)[actionOfRow(actionRow)]);
}

int32_t CustomControls::tick()
{
    if (!ScreenCanvas::anyKeyPressed && !ScreenCanvas::pointerDown)
        return OPEN;
    const int64_t now = DSystem::currentTimeMillis();
    if (now - lastInputTime < INPUT_INTERVAL)
        return OPEN;
    lastInputTime = now;
    if (waiting) {
        takeKey();
        return OPEN;
    }
    return takeInput();
}

// A key for the cell that waits for one.
void CustomControls::takeKey()
{
    if (!ScreenCanvas::anyKeyPressed)
        return;
    ScreenCanvas::anyKeyPressed = false;
    if (actionSet(DCanvas::SOFT_LEFT) || !ScreenCanvas::lastKeyPressed) {
        clearAction(DCanvas::SOFT_LEFT);
        return;
    }
    if (!actionSet(DCanvas::SOFT_RIGHT)) {
        const int32_t code = ScreenCanvas::lastKeyCode;
        for (int32_t a = 0; a < SLOT_COUNT; ++a) {
            DintArrayPtr keys = ptrCastOrNull<DintArray>((*bindings)[a]);
            for (int32_t k = 0; keys && k < keys->length(); ++k)
                if ((*keys)[k] == code)
                    (*keys)[k] = -1;
        }
        (*keysOfRow(row))[column] = code;
    }
    ScreenCanvas::resetActionFlags();
    waiting = false;
}

int32_t CustomControls::takeInput()
{
    const int32_t rows = rowCount();
    if (actionSet(DCanvas::UP))
        row = row == 0 ? rows - 1 : row - 1;
    if (actionSet(DCanvas::DOWN))
        row = row + 1 >= rows ? 0 : row + 1;
    if (actionSet(DCanvas::LEFT))
        column = column == 0 ? keysPerAction - 1 : column - 1;
    if (actionSet(DCanvas::RIGHT))
        column = column + 1 >= keysPerAction ? 0 : column + 1;
    const bool tapFire = takeTap();
    const bool fired = actionSet(DCanvas::FIRE) || tapFire;
    for (int32_t action : {DCanvas::UP, DCanvas::DOWN, DCanvas::LEFT, DCanvas::RIGHT, DCanvas::FIRE})
        clearAction(action);
    ScreenCanvas::anyKeyPressed = false;
    if (fired) {
        int32_t answer = fire();
        if (answer != OPEN)
            return answer;
    }
    if (actionSet(DCanvas::SOFT_LEFT))
        return finish(ACCEPTED);
    if (actionSet(DCanvas::SOFT_RIGHT))
        return finish(CANCELLED);
    return OPEN;
}

int32_t CustomControls::fire()
{
    const int32_t labelRow = row - actionCount;
    if (labelRow < 0)
        waiting = true;
    else if (labelRow == 0)
        resetToDefaults();
    else if (labelRow == 1)
        return finish(ACCEPTED);
    else
        return finish(CANCELLED);
    return OPEN;
}

int32_t CustomControls::finish(int32_t answer)
{
    if (answer == ACCEPTED)
        saveBindings();
    else
        loadBindings();
    ScreenCanvas::resetActionFlags();
    return answer;
}

// The stylus inside the panel selects a cell; a second tap on the same cell fires. A held
// stylus taps again every INPUT_INTERVAL.
bool CustomControls::takeTap()
{
    const int64_t now = DSystem::currentTimeMillis();
    if (!ScreenCanvas::pointerDown || now - lastTapTime < INPUT_INTERVAL)
        return false;
    lastTapTime = now;
    const int32_t x = ScreenCanvas::pointerX, y = ScreenCanvas::pointerY;
    if (x < panelLeft || x > panelLeft + panelWidth || y < panelTop
        || y > panelTop + 4 * rowHeight + listHeight || rowHeight <= 0)
        return false;
    int32_t tappedRow = (y - panelTop) / rowHeight;
    if (tappedRow >= actionCount)
        tappedRow = (y - panelTop - LABEL_GAP) / rowHeight;
    if (tappedRow >= rowCount())
        return false;
    // A label row is one cell, wherever along it the tap lands.
    int32_t tappedColumn = 0;
    if (tappedRow < actionCount) {
        tappedColumn = keyColumnWidth > 0 ? (x - panelLeft - nameColumnWidth) / keyColumnWidth : 0;
        // The right edge of the panel still belongs to the last key column.
        tappedColumn = std::min(std::max(tappedColumn, 0), keysPerAction - 1);
        column = tappedColumn;
    }
    row = tappedRow;
    if (tappedRow == tapRow && tappedColumn == tapColumn) {
        tapRow = tapColumn = -1;
        return true;
    }
    tapRow = tappedRow;
    tapColumn = tappedColumn;
    return false;
}

int32_t CustomControls::labelTop(int32_t labelRow) const
{
    return panelTop + LABEL_GAP + (actionCount + labelRow) * rowHeight;
}

void CustomControls::paint(const DGraphicsPtr& g)
{
    GameContext& context = GameContext::get();
    Fonts::setCurrentFont(Fonts::GAME);
    if (background)
        g->drawImage(background, context.screenWidth / 2, context.screenHeight / 2,
            DGraphics::HCENTER | DGraphics::VCENTER);
    paintSelection(g);
    paintTable(g);
    paintLabels(g);
}

void CustomControls::paintSelection(const DGraphicsPtr& g)
{
    g->setColor(SELECTION_FILL);
    if (row < actionCount) {
        g->fillRect(panelLeft + nameColumnWidth + column * keyColumnWidth, panelTop + row * rowHeight,
            keyColumnWidth, rowHeight);
        return;
    }
    const DStringPtr label = labels->get(row - actionCount);
    const int32_t width = Fonts::stringWidth(label) + 8;
    g->fillRect(panelLeft + (panelWidth - width) / 2, labelTop(row - actionCount), width, rowHeight);
}

void CustomControls::paintTable(const DGraphicsPtr& g)
{
    g->setColor(NAME_FILL);
    g->fillRect(panelLeft, panelTop, nameColumnWidth, listHeight);
    g->setColor(LINE_COLOUR);
    g->drawRect(panelLeft, panelTop, panelWidth, listHeight);
    for (int32_t k = 0; k < keysPerAction; ++k) {
        const int32_t x = panelLeft + nameColumnWidth + k * keyColumnWidth;
        g->drawLine(x, panelTop, x, panelTop + listHeight);
    }
    for (int32_t r = 1; r < actionCount; ++r)
        g->drawLine(panelLeft, panelTop + r * rowHeight, panelLeft + panelWidth, panelTop + r * rowHeight);
    const int32_t textOffset = (rowHeight - Fonts::height()) / 2;
    for (int32_t r = 0; r < actionCount; ++r) {
        const int32_t y = panelTop + r * rowHeight + textOffset;
        if (r < actionNames->length())
            Fonts::drawString(g, actionNames->get(r), panelLeft + 3, y, 0);
        DintArrayPtr keys = keysOfRow(r);
        for (int32_t k = 0; k < keysPerAction; ++k) {
            DStringPtr name;
            if (waiting && r == row && k == column)
                name = new DString(u"?");
            else if ((*keys)[k] != -1)
                name = DCanvas::getKeyName((*keys)[k]);
            if (name)
                Fonts::drawString(g, name, panelLeft + nameColumnWidth + k * keyColumnWidth + keyColumnWidth / 2,
                    y, DGraphics::HCENTER);
        }
    }
}

void CustomControls::paintLabels(const DGraphicsPtr& g)
{
    const int32_t shown = rowCount() - actionCount;
    const int32_t textOffset = (rowHeight - Fonts::height()) / 2;
    for (int32_t i = 0; i < shown; ++i) {
        const DStringPtr label = labels->get(i);
        Fonts::drawString(g, label, panelLeft + panelWidth / 2, labelTop(i) + textOffset, DGraphics::HCENTER);
        if (row == actionCount + i) {
            const int32_t width = Fonts::stringWidth(label) + 8;
            g->setColor(LINE_COLOUR);
            g->drawRect(panelLeft + (panelWidth - width) / 2, labelTop(i), width, rowHeight);
        }
    }
}

} // namespace gamelib
