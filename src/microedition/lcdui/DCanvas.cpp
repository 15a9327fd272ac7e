// Canvas back buffer, key sets and the key-to-action map.
#include "microedition/lcdui/DCanvas.h"

#include "lang/DInteger.h"
#include "microedition/lcdui/DGraphics.h"
#include "util/DHashtable.h"

namespace vela::microedition::lcdui {

// Row by row through the two columns of the table: the first two keys of each action are
// then a phone key and a device key ("5" and the action key for fire, not "5" and line feed),
// which is what the controls screen's defaults keep.
const DCanvas::KeyAction DCanvas::DEFAULT_KEYS[] = {
    {'1', 5},  {10003, 12}, {'2', 0},  {10004, 11}, {'3', 6},  {10000, 9}, {'4', 2}, {10001, 10},
    {'5', 4},  {10002, 4},  {'6', 3},  {37, 2},     {'8', 1},  {39, 3},    {'7', 7}, {38, 0},
    {'9', 8},  {40, 1},     {-4, 13},  {13, 4},     {10, 4},   {-2, 14},   {-3, 15},
};
const int32_t DCanvas::DEFAULT_KEY_COUNT = sizeof DEFAULT_KEYS / sizeof DEFAULT_KEYS[0];

DCanvas::DCanvas() : buffer(width, height, 0)
{
    selectKeySet(0);
}

DCanvas::~DCanvas() = default;

void DCanvas::paint(DGraphicsPtr) {}

int32_t DCanvas::getGameAction(int32_t keyCode) const
{
    lang::DObjectPtr action = keyMap->get(keyCode); // DInteger keys hash to their value
    auto* value = static_cast<lang::DInteger*>(action.get());
    return value ? value->intValue() : -1;
}

void DCanvas::addKeySet(int32_t id, lang::DObjectArrayPtr set)
{
    if (!keySets)
        keySets = new util::DHashtable(11, 75);
    keySets->put(new lang::DInteger(id), set);
    selectKeySet(id);
}

void DCanvas::mapKey(int32_t key, int32_t action)
{
    keyMap->put(new lang::DInteger(key), new lang::DInteger(action));
}

void DCanvas::selectKeySet(int32_t id)
{
    keyMap = new util::DHashtable(11, 75);
    lang::DObjectArrayPtr set;
    if (keySets)
        set = lang::ptrCastOrNull<lang::DObjectArray>(keySets->get(new lang::DInteger(id)));
    auto rowOf = [&set](int32_t action) -> lang::DintArrayPtr {
        if (!set || action < 0 || action >= set->length())
            return nullptr;
        return lang::ptrCastOrNull<lang::DintArray>((*set)[action]);
    };
    for (int32_t i = 0; i < DEFAULT_KEY_COUNT; ++i) {
        const KeyAction& k = DEFAULT_KEYS[i];
        if (!rowOf(k.action))
            mapKey(k.key, k.action);
    }
    for (int32_t action = 0; set && action < set->length(); ++action)
        if (lang::DintArrayPtr row = rowOf(action))
            for (int32_t i = 0; i < row->length(); ++i)
                mapKey((*row)[i], action);
}

} // namespace vela::microedition::lcdui
