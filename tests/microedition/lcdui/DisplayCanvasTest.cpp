// Display and canvases: current displayable and its notifications, key maps, key names, flush.
#include "host/TestWindow.h"
#include "lang/DString.h"
#include "microedition/lcdui/DDisplay.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/game/DGameCanvas.h"

#include <gtest/gtest.h>

using namespace vela;
using namespace vela::microedition::lcdui;

namespace {

class RecordingCanvas : public game::DGameCanvas {
public:
    RecordingCanvas(std::string name, std::string& log) : name(std::move(name)), log(log) {}
    void showNotify() override { log += name + ".show "; }
    void hideNotify() override { log += name + ".hide "; }

    std::string name;
    std::string& log;
};

struct DisplayFixture : ::testing::Test {
    TestWindow window{12, 10};
    DDisplayPtr display = new DDisplay(&window);
    std::string log;
};

TEST(Canvas, CanvasesTakeTheDisplaySizeAndNoneWithoutADisplay)
{
    ASSERT_EQ(DDisplay::instance(), nullptr);
    EXPECT_EQ(DCanvasPtr(new DCanvas())->getWidth(), 0);
    EXPECT_TRUE(DCanvasPtr(new DCanvas())->backBuffer().pixels.empty());
    TestWindow window{12, 10};
    DDisplayPtr display = new DDisplay(&window);
    DCanvasPtr canvas = new DCanvas();
    EXPECT_EQ(DDisplay::instance(), display.get());
    EXPECT_EQ((std::vector<int>{display->getWidth(), display->getHeight(), canvas->getWidth(), canvas->getHeight()}),
              (std::vector<int>{12, 10, 12, 10}));
    EXPECT_EQ(canvas->backBuffer().pixels.size(), 120u);
}

TEST_F(DisplayFixture, SetCurrentHidesTheOldThenShowsTheNew)
{
    DDisplayablePtr a = new RecordingCanvas("a", log), b = new RecordingCanvas("b", log);
    display->setCurrent(a);
    display->setCurrent(b);
    display->setCurrent(b);
    EXPECT_TRUE(b->isShown() && !a->isShown());
    display->setCurrent(nullptr);
    EXPECT_FALSE(b->isShown());
    EXPECT_TRUE(display->getCurrent().isNull());
    EXPECT_EQ(log, "a.show a.hide b.show b.hide b.show b.hide ");
}

TEST_F(DisplayFixture, FlushCopiesTheBackBufferOnlyWhileShown)
{
    lang::DPtr<RecordingCanvas> canvas = new RecordingCanvas("a", log);
    DGraphicsPtr g = canvas->getGraphics();
    g->setColor(0xFF0000);
    g->fillRect(0, 0, 12, 10);
    canvas->flushGraphics();
    EXPECT_EQ(window.presents, 0);
    EXPECT_EQ(window.device.pixels[0], 0) << "drawing while hidden is allowed, the flush is skipped";
    display->setCurrent(canvas);
    canvas->flushGraphics();
    EXPECT_EQ(window.presents, 1);
    EXPECT_EQ(window.device.pixels, std::vector<uint16_t>(120, 0xF800));
    EXPECT_NE(canvas->getGraphics().get(), g.get()) << "a new context every call";
}

TEST(Canvas, DefaultKeyMap)
{
    DCanvasPtr canvas = new DCanvas();
    const struct { int key, action; } cases[] = {
        {'1', 5}, {'2', 0}, {'3', 6}, {'4', 2}, {'5', 4}, {'6', 3}, {'7', 7}, {'8', 1}, {'9', 8},
        {-4, 13}, {10, 4}, {-3, 15}, {10003, 12}, {10004, 11}, {10000, 9}, {10001, 10}, {10002, 4},
        {37, 2}, {39, 3}, {38, 0}, {40, 1}, {13, 4}, {-2, 14},
        {'0', -1}, {'A', -1}, {27, -1}, {0, -1}, {112, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(canvas->getGameAction(c.key), c.action) << c.key;
}

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

TEST(Canvas, KeySetRowsReplaceTheDefaultsOfTheirAction)
{
    DCanvasPtr canvas = new DCanvas();
    canvas->addKeySet(1, keySet({{87}}));
    EXPECT_EQ(canvas->getGameAction(87), 0);
    EXPECT_EQ(canvas->getGameAction('2'), -1);
    EXPECT_EQ(canvas->getGameAction(38), -1);
    EXPECT_EQ(canvas->getGameAction('8'), 1) << "other actions keep their defaults";
    canvas->addKeySet(2, keySet({{}, {}, {'5', 65}}));
    EXPECT_EQ(canvas->getGameAction('2'), 0) << "a null row keeps the defaults";
    EXPECT_EQ(canvas->getGameAction('5'), 2) << "a later mapping of a key replaces the earlier";
    EXPECT_EQ(canvas->getGameAction(65), 2);
    EXPECT_EQ(canvas->getGameAction('4'), -1);
    EXPECT_EQ(canvas->getGameAction(13), 4);
    canvas->selectKeySet(1);
    EXPECT_EQ(canvas->getGameAction(87), 0);
    canvas->selectKeySet(0);
    EXPECT_EQ(canvas->getGameAction(87), -1) << "an unknown set means the defaults";
    EXPECT_EQ(canvas->getGameAction('2'), 0);
}

TEST(Canvas, KeyNames)
{
    const struct { int code; const char* name; } cases[] = {
        {8, "Backspace"}, {9, "Tab"}, {12, "Clear"}, {13, "Enter"}, {16, "Shift"}, {17, "Ctrl"}, {18, "Alt"},
        {19, "Pause"}, {20, "Caps Lock"}, {27, "Esc"}, {32, "Spacebar"}, {33, "Page Up"}, {34, "Page Down"},
        {35, "End"}, {36, "Home"}, {37, "Left"}, {38, "Up"}, {39, "Right"}, {40, "Down"}, {45, "Insert"},
        {46, "Delete"}, {48, "0"}, {57, "9"}, {65, "A"}, {90, "Z"}, {91, "Win L"}, {92, "Win R"}, {93, "App"},
        {96, "Numpad0"}, {105, "Numpad9"}, {106, "Num*"}, {107, "Num+"}, {109, "Num-"}, {110, "Num."},
        {111, "Num/"}, {112, "F1"}, {123, "F12"}, {144, "Num Lock"}, {145, "Scroll Lock"}, {10000, "Soft L"},
        {10001, "Soft R"}, {10002, "Action"}, {10003, "#"}, {10004, "*"}, {200, "KEY 200"}, {108, "KEY 108"},
        {124, "KEY 124"}, {-4, "KEY -4"}, {10005, "KEY 10005"}, {47, "KEY 47"}, {0x140, "Pad X"},
        {0x147, "Pad RS"}, {0x148, "KEY 328"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DCanvas::getKeyName(c.code)->toUtf8(), c.name) << c.code;
}

} // namespace
