// Shared test helpers: a window-less display with the screen canvas, pictures, byte builders.
#pragma once

#include "gamelib/ScreenCanvas.h"
#include "host/Surface.h"
#include "host/Window.h"
#include "microedition/lcdui/DDisplay.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

// The device screen without a window: flushes land in `screen()`.
class FakeWindow : public host::Window {
public:
    FakeWindow(int width, int height) : surface(width, height) {}
    host::Surface& screen() override { return surface; }
    void present() override {}
    bool nextEvent(host::HostEvent&, int) override { return false; }
    bool hasDisplay() const override { return false; }

private:
    host::Surface surface;
};

// A display of the given size with a fresh screen canvas current on it and a clean input state.
class CanvasTest : public ::testing::Test {
protected:
    explicit CanvasTest(int width = 240, int height = 320);
    ~CanvasTest() override;

    FakeWindow window;
    vela::microedition::lcdui::DDisplayPtr display;
    ScreenCanvasPtr canvas;
};

// Big-endian data as the data streams read it.
class Bytes {
public:
    Bytes& u8(int value);
    Bytes& s16(int value);
    Bytes& s32(int value);
    // A 16-bit length and the bytes (plain ASCII is valid modified UTF-8).
    Bytes& utf(const std::string& text);
    const std::string& str() const { return bytes; }

private:
    std::string bytes;
};

// The picture as PNG file bytes (8-bit RGB).
std::string pngBytes(const host::Surface& picture);
// A picture of w x h filled with one RGB565 colour.
host::Surface filled(int w, int h, uint16_t colour);
