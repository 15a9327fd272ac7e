// What the game library tests share: a clock driven by hand, a display with the screen canvas,
// big-endian data as the game reads it, pictures, a program folder with its own game.dat, and
// the application on a window of its own.
#pragma once

#include "gamelib/GameLib.h"
#include "gamelib/ScreenCanvas.h"
#include "microedition/lcdui/DDisplay.h"
#include "support/FakeWindow.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

// The runtime's millisecond clock, driven by hand for the life of the object; with `advancing`
// every read moves it on by 1 ms, as a scripted run's wait loops need.
struct FakeClock {
    explicit FakeClock(uint64_t start);
    ~FakeClock();
    static uint64_t read() { return advancing ? now++ : now; }
    static inline uint64_t now = 0;
    static inline bool advancing = false;
};

// A display of the given size with a fresh screen canvas current on it and a clean input state.
class CanvasTest : public ::testing::Test {
protected:
    explicit CanvasTest(int width = 240, int height = 320);
    ~CanvasTest() override;

    support::FakeWindow window;
    vela::microedition::lcdui::DDisplayPtr display;
    gamelib::ScreenCanvasPtr canvas;
};

// Big-endian data as the data streams read it.
class Bytes {
public:
    Bytes& u8(int value)
    {
        bytes.push_back(char(value & 0xFF));
        return *this;
    }
    Bytes& s16(int value) { return u8(value >> 8).u8(value); }
    // A 16-bit length and the bytes (plain ASCII is valid modified UTF-8).
    Bytes& utf(const std::string& text)
    {
        s16(int(text.size()));
        bytes += text;
        return *this;
    }
    const std::string& str() const { return bytes; }

private:
    std::string bytes;
};

// The picture as PNG file bytes (8-bit RGB).
std::string pngBytes(const host::Surface& picture);

// A program folder of the test's own, with the game's app name; its game.dat is built by 7zz.
class TestResources {
public:
    TestResources();
    ~TestResources();

    // Packs the members into game.dat and opens it as the resource archive.
    void openArchive(const std::map<std::string, std::string>& members);
    const std::string& folder() const { return root.path(); }

private:
    support::TempDir root;
};

// The application made over a flow of the test's choice, on a window and a program folder of
// its own.
class AppTest : public ::testing::Test {
protected:
    AppTest(uint64_t clockStart, int width, int height) : clock(clockStart), window(width, height) {}
    ~AppTest() override { stop(); }

    // Makes the application and makes it current on a display of the window, as the shell does.
    void makeApp(gamelib::GameFlowFactory flow);
    // Ends it as closing the window does.
    void stop();

    FakeClock clock;
    TestResources resources;
    support::FakeWindow window;
    vela::lang::DPtr<gamelib::GameLib> app;
    vela::microedition::lcdui::DDisplayPtr display;
};
