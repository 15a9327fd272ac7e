// Canvas back buffer, key sets and the key-to-action map.
#include "microedition/lcdui/DCanvas.h"

#include "lang/DInteger.h"
#include "microedition/lcdui/DGraphics.h"
#include "util/DHashtable.h"

namespace vela::microedition::lcdui {

const DCanvas::KeyAction DCanvas::DEFAULT_KEYS[] = {
    {'1', 5}, {'2', 0}, {'3', 6}, {'4', 2}, {'5', 4}, {'6', 3}, {'8', 1}, {'7', 7}, {'9', 8},
    {-4, 13}, {10, 4}, {-3, 15}, {10003, 12}, {10004, 11}, {10000, 9}, {10001, 10}, {10002, 4},
    {37, 2}, {39, 3}, {38, 0}, {40, 1}, {13, 4}, {-2, 14},
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
