// The process-wide table of bitmap fonts.
#include "gamelib/Fonts.h"

using namespace vela::lang;

namespace gamelib {

namespace {

const char16_t* const FONT_NAMES[Fonts::COUNT] = {u"/menu", u"/menu_red", u"/game", u"/score"};

ImageFontArrayPtr table;
int32_t current = 0;

ImageFontArrayPtr& fonts()
{
    if (!table) {
        table = new ImageFontArray(Fonts::COUNT);
        for (int32_t i = 0; i < Fonts::COUNT; ++i)
            table->set(i, new ImageFont());
    }
    return table;
}

}

void Fonts::loadFonts(const DStringPtr& prefix)
{
    table = nullptr;
    for (int32_t i = 0; i < COUNT; ++i)
        fonts()->get(i)->load(prefix + FONT_NAMES[i]);
    current = 0;
}

ImageFontPtr Fonts::get(int32_t index)
{
    return fonts()->get(index);
}

void Fonts::setCurrentFont(int32_t index)
{
    current = index;
}

int32_t Fonts::height()
{
    return get(current)->getHeight();
}

int32_t Fonts::stringWidth(const DStringPtr& s)
{
    return get(current)->stringWidth(s);
}

void Fonts::drawString(const vela::microedition::lcdui::DGraphicsPtr& g, const DStringPtr& s,
    int32_t x, int32_t y, int32_t anchor)
{
    get(current)->drawString(g, s, x, y, anchor);
}

void Fonts::release()
{
    table = nullptr;
    current = 0;
}

} // namespace gamelib
