// The key-binding screen: defaults, the store, waiting for a key, taps on the table's edges and
// the held stylus.
#include "GameLibTestSupport.h"

#include "gamelib/CustomControls.h"
#include "gamelib/GameContext.h"
#include "lang/DString.h"
#include "microedition/rms/DRecordStore.h"

#include <vector>

using namespace vela::lang;
using namespace gamelib;
using vela::microedition::rms::DRecordStore;

namespace {

const int32_t KEY_UP_ARROW = 38, KEY_DOWN_ARROW = 40, KEY_RETURN = 13;
const int32_t KEY_SOFT_LEFT = 10000, KEY_SOFT_RIGHT = 10001;

class CustomControlsTest : public CanvasTest {
protected:
    CustomControlsTest() { controls->setStoreName(new DString(u"Test")); }

    // One tick of the screen, as the scheduler runs it.
    int32_t tick()
    {
        int32_t answer = controls->tick();
        ScreenCanvas::tickSawPointer();
        return answer;
    }
    std::vector<int32_t> keysOf(int32_t action)
    {
        DintArray& cells = *ptrCast<DintArray>((*controls->bindings)[action]);
        return {cells[0], cells[1]};
    }
    // One key press taken by the scheduler, then one tick of the screen 200 ms later.
    int32_t press(int32_t code, int times = 1)
    {
        int32_t answer = 0;
        for (int i = 0; i < times; ++i) {
            canvas->keyPressed(code);
            canvas->takeKeyEvent();
            FakeClock::now += CustomControls::INPUT_INTERVAL;
            answer = tick();
            canvas->keyReleased(code);
            canvas->takeKeyEvent();
        }
        return answer;
    }
    int32_t tap(int32_t x, int32_t y)
    {
        FakeClock::now += CustomControls::INPUT_INTERVAL;
        canvas->pointerPressed(x, y);
        int32_t answer = tick();
        canvas->pointerReleased(x, y);
        return answer;
    }
    // A point inside cell (row, column) of the table.
    int32_t cellX(int32_t column) { return controls->panelLeft + controls->nameColumnWidth + column * controls->keyColumnWidth + 2; }
    int32_t rowY(int32_t row) { return controls->panelTop + row * controls->rowHeight + 1; }

    FakeClock clock{10000};
    TestResources resources;
    CustomControlsPtr controls = new CustomControls(0x1FF);
};

}

TEST_F(CustomControlsTest, DefaultsFollowTheCanvasKeyMapAndTheStoreKeepsEightByteRecords)
{
    for (int32_t action = 0; action < 16; ++action) {
        int32_t keys[8];
        CustomControls::defaultKeys(action, keys, 8);
        for (int32_t k = 0; k < 8 && keys[k] != -1; ++k)
            EXPECT_EQ(action, canvas->getGameAction(keys[k])) << keys[k];
    }
    EXPECT_EQ((std::vector<int32_t>{53, 10002}), keysOf(4)) << "Return (the action key) fires in play";
    controls->loadBindings(); // no store yet: the defaults
    EXPECT_EQ((std::vector<int32_t>{50, 38}), keysOf(0));
    (*ptrCast<DintArray>((*controls->bindings)[0]))[1] = 87;
    ASSERT_TRUE(controls->saveBindings());
    ASSERT_TRUE(controls->saveBindings()); // in place
    auto store = DRecordStore::openRecordStore(new DString(u"keys_Test"), false);
    EXPECT_EQ(9, store->getNumRecords());
    EXPECT_EQ(8, store->getRecord(1)->length());
    controls->resetToDefaults();
    controls->loadBindings();
    EXPECT_EQ((std::vector<int32_t>{50, 87}), keysOf(0));
    store->setRecord(1, new DbyteArray(3), 0, 3);
    controls->loadBindings();
    EXPECT_EQ((std::vector<int32_t>{50, 38}), keysOf(0)) << "a damaged store gives the defaults";
}

TEST_F(CustomControlsTest, AKeyAssignedIsTakenFromItsOldActionAndWaitingHonoursOnlyTheRightSoftKey)
{
    press(KEY_DOWN_ARROW, 4); // fire
    press(KEY_RETURN);
    EXPECT_TRUE(controls->waiting);
    press(KEY_UP_ARROW);
    EXPECT_EQ((std::vector<int32_t>{KEY_UP_ARROW, 10002}), keysOf(4));
    EXPECT_EQ((std::vector<int32_t>{50, -1}), keysOf(0));
    press(KEY_RETURN);
    press(KEY_SOFT_LEFT);
    EXPECT_TRUE(controls->waiting);
    press(KEY_SOFT_RIGHT);
    EXPECT_FALSE(controls->waiting);
}

TEST_F(CustomControlsTest, TapsSelectThenFireAcrossWholeRowsUpToThePanelsEdgeAndAHeldStylusRepeats)
{
    tap(cellX(1), rowY(2));
    EXPECT_EQ(std::make_pair(2, 1), std::make_pair(controls->row, controls->column));
    tap(cellX(1), rowY(2));
    EXPECT_TRUE(controls->waiting);
    press(KEY_SOFT_RIGHT);
    tap(1, 1);
    EXPECT_EQ(2, controls->row) << "outside the panel nothing changes";
    FakeClock::now += CustomControls::INPUT_INTERVAL;
    canvas->pointerPressed(cellX(0), rowY(3));
    tick();
    FakeClock::now += CustomControls::INPUT_INTERVAL - 1;
    tick();
    EXPECT_FALSE(controls->waiting);
    FakeClock::now += 1;
    tick();
    EXPECT_TRUE(controls->waiting) << "a held stylus taps again once the input interval has passed";
    canvas->pointerReleased(cellX(0), rowY(3));
    press(KEY_SOFT_RIGHT);
    const int32_t right = controls->panelLeft + controls->panelWidth;
    tap(right, rowY(0));
    EXPECT_EQ(1, controls->column) << "the panel's right edge is in the last key column";
    const int32_t cancelY = controls->panelTop + 3 + 11 * controls->rowHeight + 1;
    tap(controls->panelLeft + 2, cancelY);
    EXPECT_EQ(CustomControls::CANCELLED, tap(right - 2, cancelY)) << "a label row is one cell";
}

