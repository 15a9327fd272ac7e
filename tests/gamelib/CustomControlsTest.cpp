// The key-binding screen: defaults, the store, waiting for a key, navigation, taps, answers.
#include "GameLibTestSupport.h"

#include "gamelib/CustomControls.h"
#include "gamelib/GameContext.h"
#include "lang/DString.h"
#include "microedition/rms/DRecordStore.h"

#include <vector>

using namespace vela::lang;
using namespace gamelib;
using vela::microedition::lcdui::DCanvas;
using vela::microedition::rms::DRecordStore;
using vela::microedition::rms::DRecordStorePtr;

namespace {

const int32_t KEY_UP_ARROW = 38, KEY_DOWN_ARROW = 40, KEY_RIGHT_ARROW = 39, KEY_RETURN = 13;
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

    DintArray& cells(int32_t action) { return *ptrCast<DintArray>((*controls->bindings)[action]); }
    std::vector<int32_t> keysOf(int32_t action) { return {cells(action)[0], cells(action)[1]}; }
    // One key press taken by the scheduler, then one tick of the screen 200 ms later.
    int32_t press(int32_t code)
    {
        canvas->keyPressed(code);
        canvas->takeKeyEvent();
        FakeClock::now += CustomControls::INPUT_INTERVAL;
        int32_t answer = tick();
        canvas->keyReleased(code);
        canvas->takeKeyEvent();
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
    void pressDown(int times)
    {
        for (int i = 0; i < times; ++i)
            press(KEY_DOWN_ARROW);
    }
    // The point inside cell (row, column) of the table.
    int32_t cellX(int32_t column)
    {
        return controls->panelLeft + controls->nameColumnWidth + column * controls->keyColumnWidth + 2;
    }
    int32_t rowY(int32_t row) { return controls->panelTop + row * controls->rowHeight + 1; }

    FakeClock clock{10000};
    TestResources resources;
    CustomControlsPtr controls = new CustomControls(0x1FF);
};

}

TEST_F(CustomControlsTest, DefaultsFollowTheCanvasKeyMapInOrder)
{
    for (int32_t action = 0; action < 16; ++action) {
        int32_t keys[8];
        CustomControls::defaultKeys(action, keys, 8);
        for (int32_t k = 0; k < 8 && keys[k] != -1; ++k)
            EXPECT_EQ(action, canvas->getGameAction(keys[k])) << keys[k];
    }
    EXPECT_EQ((std::vector<int32_t>{50, 38}), keysOf(0));
    EXPECT_EQ((std::vector<int32_t>{53, 10002}), keysOf(4)) << "Return (the action key) fires in play";
    EXPECT_EQ((std::vector<int32_t>{49, -1}), keysOf(5));
    EXPECT_FALSE((*controls->bindings)[9]);
    EXPECT_EQ(9, controls->actionCount);
    EXPECT_EQ("keys_Test", controls->storeName->toUtf8());
}

TEST_F(CustomControlsTest, StoreOfEightByteRecordsWithDefaultsWhenMissingOrDamaged)
{
    cells(0)[1] = 87;
    controls->loadBindings();
    EXPECT_EQ((std::vector<int32_t>{50, 38}), keysOf(0));

    cells(0)[1] = 87;
    ASSERT_TRUE(controls->saveBindings());
    auto openStore = [] { return DRecordStore::openRecordStore(new DString(u"keys_Test"), false); };
    EXPECT_EQ(9, openStore()->getNumRecords());
    DbyteArrayPtr first = openStore()->getRecord(1);
    ASSERT_EQ(8, first->length());
    EXPECT_EQ(87, (*first)[7]);
    controls->resetToDefaults();
    controls->loadBindings();
    EXPECT_EQ((std::vector<int32_t>{50, 87}), keysOf(0));
    // Saving again overwrites the records in place.
    ASSERT_TRUE(controls->saveBindings());
    EXPECT_EQ(9, openStore()->getNumRecords());

    DRecordStore::deleteRecordStore(new DString(u"keys_Test"));
    DbyteArrayPtr shortRecord = new DbyteArray(3);
    DRecordStore::openRecordStore(new DString(u"keys_Test"), true)->addRecord(shortRecord, 0, 3);
    controls->loadBindings();
    EXPECT_EQ((std::vector<int32_t>{50, 38}), keysOf(0));
}

TEST_F(CustomControlsTest, AssigningAKeyTakesItFromItsOldAction)
{
    // Row 4 is fire; its first cell waits for a key after fire.
    pressDown(4);
    press(KEY_RETURN);
    EXPECT_TRUE(controls->waiting);
    press(KEY_UP_ARROW);
    EXPECT_FALSE(controls->waiting);
    EXPECT_EQ((std::vector<int32_t>{KEY_UP_ARROW, 10002}), keysOf(4));
    EXPECT_EQ((std::vector<int32_t>{50, -1}), keysOf(0));
    // While waiting the left soft key is ignored and the right one gives up.
    press(KEY_RETURN);
    press(KEY_SOFT_LEFT);
    EXPECT_TRUE(controls->waiting);
    press(KEY_SOFT_RIGHT);
    EXPECT_FALSE(controls->waiting);
    EXPECT_EQ((std::vector<int32_t>{KEY_UP_ARROW, 10002}), keysOf(4));
}

TEST_F(CustomControlsTest, InputIsTakenAtMostEvery200Milliseconds)
{
    press(KEY_DOWN_ARROW);
    canvas->keyPressed(KEY_DOWN_ARROW);
    canvas->takeKeyEvent();
    FakeClock::now += 199;
    tick();
    EXPECT_EQ(1, controls->row);
    FakeClock::now += 1;
    tick();
    EXPECT_EQ(2, controls->row);
}

TEST_F(CustomControlsTest, RowsWrapOverActionsAndLabels)
{
    press(KEY_UP_ARROW);
    EXPECT_EQ(11, controls->row); // 9 actions, then default, OK, cancel
    press(KEY_DOWN_ARROW);
    EXPECT_EQ(0, controls->row);
    press(KEY_RIGHT_ARROW);
    press(KEY_RIGHT_ARROW);
    EXPECT_EQ(0, controls->column);
}

TEST_F(CustomControlsTest, LabelRowsResetAcceptOrCancel)
{
    ASSERT_TRUE(controls->saveBindings());
    press(KEY_RETURN);
    press(87);
    EXPECT_EQ((std::vector<int32_t>{87, 38}), keysOf(0));
    EXPECT_EQ(CustomControls::CANCELLED, press(KEY_SOFT_RIGHT));
    EXPECT_EQ((std::vector<int32_t>{50, 38}), keysOf(0));

    press(KEY_RETURN);
    press(87);
    pressDown(9);
    EXPECT_EQ(CustomControls::OPEN, press(KEY_RETURN));
    EXPECT_EQ((std::vector<int32_t>{50, 38}), keysOf(0));

    pressDown(3);
    press(KEY_RETURN);
    press(87);
    pressDown(10);
    EXPECT_EQ(10, controls->row);
    EXPECT_EQ(CustomControls::ACCEPTED, press(KEY_RETURN));
    controls->resetToDefaults();
    controls->loadBindings();
    EXPECT_EQ((std::vector<int32_t>{87, 38}), keysOf(0));
}

TEST_F(CustomControlsTest, TapSelectsThenSecondTapOnTheSameCellFires)
{
    tap(cellX(1), rowY(2));
    EXPECT_EQ(2, controls->row);
    EXPECT_EQ(1, controls->column);
    EXPECT_FALSE(controls->waiting);
    tap(cellX(1), rowY(2));
    EXPECT_TRUE(controls->waiting);
    press(KEY_SOFT_RIGHT);
    // Outside the panel nothing changes.
    tap(1, 1);
    EXPECT_EQ(2, controls->row);
    // A held stylus taps again once the input interval has passed, and not before.
    FakeClock::now += CustomControls::INPUT_INTERVAL;
    canvas->pointerPressed(cellX(0), rowY(3));
    tick();
    FakeClock::now += CustomControls::INPUT_INTERVAL - 1;
    tick();
    EXPECT_FALSE(controls->waiting);
    FakeClock::now += 1;
    tick();
    EXPECT_TRUE(controls->waiting);
    canvas->pointerReleased(cellX(0), rowY(3));
}

TEST_F(CustomControlsTest, TapsOnTheEdgesOfTheTable)
{
    // The panel's right edge lands in the last key column.
    const int32_t right = controls->panelLeft + controls->panelWidth;
    tap(right, rowY(0));
    EXPECT_EQ(1, controls->column);
    tap(right, rowY(0));
    EXPECT_TRUE(controls->waiting);
    press(87);
    EXPECT_EQ(87, keysOf(0)[1]);
    // A label row is one cell along its whole width.
    const int32_t cancelY = controls->panelTop + 3 + 11 * controls->rowHeight + 1;
    tap(controls->panelLeft + 2, cancelY);
    EXPECT_EQ(11, controls->row);
    EXPECT_EQ(CustomControls::CANCELLED, tap(right - 2, cancelY));
}

TEST_F(CustomControlsTest, PaintFillsTheSelectionAndOutlinesThePanel)
{
    press(KEY_RIGHT_ARROW);
    controls->paint(GameContext::get().graphics);
    ::host::Surface& back = canvas->backBuffer();
    const int32_t midY = rowY(0) + controls->rowHeight / 2;
    const uint16_t selection = ::host::toRgb565(0xE6D2A5);
    EXPECT_EQ(selection, back.row(midY)[cellX(1) + 3]);
    EXPECT_NE(selection, back.row(midY)[cellX(0) + 3]);
    EXPECT_EQ(selection, back.row(midY)[controls->panelLeft + 2]);
    EXPECT_EQ(::host::toRgb565(0x186900), back.row(controls->panelTop)[controls->panelLeft + 5]);
}

class SmallScreenControlsTest : public CanvasTest {
protected:
    SmallScreenControlsTest() : CanvasTest(176, 208) { controls->setStoreName(new DString(u"Small")); }
    TestResources resources;
    CustomControlsPtr controls = new CustomControls(0x1FF);
};

TEST_F(SmallScreenControlsTest, NoOkOrCancelRows)
{
    EXPECT_TRUE(controls->smallScreen);
    controls->row = 9; // the default row
    ScreenCanvas::actions[DCanvas::DOWN] = true;
    ScreenCanvas::anyKeyPressed = true;
    controls->tick();
    EXPECT_EQ(0, controls->row);
}
