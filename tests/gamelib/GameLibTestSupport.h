// Shared test helpers: a window-less display with the screen canvas, pictures, byte builders.
#pragma once

#include "gamelib/ScreenCanvas.h"
#include "FakeWindow.h"
#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DDisplay.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
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

    FakeWindow window;
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

// The code of the runtime exception the body throws (deleted here), or 0 when it throws none.
inline uint32_t thrownCode(const std::function<void()>& body)
{
    try {
        body();
    } catch (vela::lang::DExceptionBase* e) {
        const uint32_t code = e->code;
        delete e;
        return code;
    }
    return 0;
}

// The picture as PNG file bytes (8-bit RGB).
std::string pngBytes(const host::Surface& picture);
// A picture of w x h filled with one RGB565 colour, as PNG file bytes.
inline std::string filledPng(int w, int h, uint16_t colour)
{
    return pngBytes(host::Surface(w, h, colour));
}

// A temporary program folder with its own game.dat built by 7zz.
class TestResources {
public:
    TestResources();
    ~TestResources();

    // Packs the members into game.dat and opens it as the resource archive.
    void openArchive(const std::map<std::string, std::string>& members);
    // A plain file in the program folder (beside the archive).
    void writeFile(const std::string& name, const std::string& bytes);
    std::string readFile(const std::string& name) const;
    const std::string& folder() const { return root; }

private:
    std::string root;
};
