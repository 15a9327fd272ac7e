// Canvas key sets: each row replaces the default keys of its action; unknown sets mean the defaults.
#include "lang/DString.h"
#include "microedition/lcdui/DCanvas.h"

#include <gtest/gtest.h>

using namespace vela;
using namespace vela::microedition::lcdui;

namespace {

// A key set with a row of keys for each action; an empty row stays null.
lang::DObjectArrayPtr keySet(std::initializer_list<std::vector<int>> rows)
{
    lang::DObjectArrayPtr set = new lang::DObjectArray(int32_t(rows.size()));
    int32_t action = 0;
    for (const auto& keys : rows) {
        lang::DintArrayPtr row = keys.empty() ? nullptr : new lang::DintArray(int32_t(keys.size()));
        for (size_t i = 0; i < keys.size(); ++i)
            row[int32_t(i)] = keys[i];
        (*set)[action++] = row;
    }
    return set;
}

TEST(Canvas, KeySetRowsReplaceTheDefaultsOfTheirActionAndAnUnknownSetMeansTheDefaults)
{
    DCanvasPtr canvas = new DCanvas();
    EXPECT_EQ(canvas->getGameAction('2'), 0);
    EXPECT_EQ(canvas->getGameAction(38), 0);
    canvas->addKeySet(1, keySet({{87}}));
    EXPECT_EQ(canvas->getGameAction(87), 0);
    EXPECT_EQ(canvas->getGameAction('2'), -1);
    EXPECT_EQ(canvas->getGameAction(38), -1);
    EXPECT_EQ(canvas->getGameAction('8'), 1) << "other actions keep their defaults";
    canvas->addKeySet(2, keySet({{}, {}, {'5', 65}}));
    EXPECT_EQ(canvas->getGameAction('2'), 0) << "a null row keeps the defaults";
    EXPECT_EQ(canvas->getGameAction('5'), 2) << "a later mapping of a key replaces the earlier";
    EXPECT_EQ(canvas->getGameAction('4'), -1);
    canvas->selectKeySet(1);
    EXPECT_EQ(canvas->getGameAction(87), 0);
    canvas->selectKeySet(0);
    EXPECT_EQ(canvas->getGameAction(87), -1);
}

} // namespace
