// Shared test helpers of the game library tests.
#include "GameLibTestSupport.h"

#include "gamelib/GameContext.h"
#include "host/PngWriter.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

CanvasTest::CanvasTest(int width, int height) : window(width, height)
{
    GameContext::reset();
    display = new vela::microedition::lcdui::DDisplay(&window);
    canvas = new ScreenCanvas();
    display->setCurrent(canvas);
    ScreenCanvas::resetInput();
    ScreenCanvas::resetActionFlags();
    ScreenCanvas::keyEventSeen = false;
    ScreenCanvas::hiddenSequence.reset();
}

CanvasTest::~CanvasTest()
{
    display->setCurrent(nullptr);
    GameContext::reset();
}

Bytes& Bytes::u8(int value)
{
    bytes.push_back(char(value & 0xFF));
    return *this;
}

Bytes& Bytes::s16(int value)
{
    return u8(value >> 8).u8(value);
}

Bytes& Bytes::s32(int value)
{
    return s16(value >> 16).s16(value);
}

Bytes& Bytes::utf(const std::string& text)
{
    s16(int(text.size()));
    bytes += text;
    return *this;
}

std::string pngBytes(const host::Surface& picture)
{
    char path[] = "/tmp/gamelib-picture-XXXXXX";
    int fd = ::mkstemp(path);
    ::close(fd);
    std::string error;
    EXPECT_TRUE(host::writePng(picture, path, error)) << error;
    std::ifstream in(path, std::ios::binary);
    std::stringstream data;
    data << in.rdbuf();
    std::remove(path);
    return data.str();
}

host::Surface filled(int w, int h, uint16_t colour)
{
    return host::Surface(w, h, colour);
}
