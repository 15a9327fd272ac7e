// The drawing context: clip and translation rules, shapes, images and text.
#include "microedition/lcdui/DGraphics.h"

#include "lang/DString.h"
#include "microedition/lcdui/DCharMask.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DImage.h"

#include <algorithm>

namespace vela::microedition::lcdui {

DGraphics::DGraphics(host::Surface* target, lang::DObjectPtr owner)
    : surface(target), surfaceOwner(owner), font(DFont::getDefaultFont())
{
    resetClip();
    drawable = !clip.empty();
}

DGraphics::~DGraphics() = default;

void DGraphics::setColor(int32_t rgb)
{
    colourAsSet = rgb;
    colour = host::toRgb565(uint32_t(rgb));
}

DFontPtr DGraphics::getFont() const
{
    return font;
}

void DGraphics::setFont(DFontPtr f)
{
    font = f;
}

void DGraphics::resetClip()
{
    clip = host::ClipRect::of(*surface);
}

void DGraphics::setClip(int32_t x, int32_t y, int32_t w, int32_t h)
{
    x += translateX;
    y += translateY;
    long long right = (long long)x + w, bottom = (long long)y + h;
    drawable = right > 0 && x < surface->width && bottom > 0 && y < surface->height && w > 0 && h > 0;
    resetClip();
    if (drawable)
        clip = clip.intersect(host::ClipRect{x, y, int(std::min<long long>(right, surface->width)),
                                             int(std::min<long long>(bottom, surface->height))});
}

// A clip that is not drawable stays so: only an empty cut changes drawable.
void DGraphics::clipRect(int32_t x, int32_t y, int32_t w, int32_t h)
{
    x += translateX;
    y += translateY;
    long long right = (long long)x + w, bottom = (long long)y + h;
    host::ClipRect cut{std::max(clip.left, x), std::max(clip.top, y),
                       int(std::min<long long>(clip.right, right)), int(std::min<long long>(clip.bottom, bottom))};
    if (cut.empty()) {
        drawable = false;
        resetClip();
    } else {
        clip = cut;
    }
}

void DGraphics::translate(int32_t dx, int32_t dy)
{
    translateX += dx;
    translateY += dy;
}

void DGraphics::line(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (x1 == x2 && y1 == y2)
        host::plot(*surface, clip, x1, y1, colour);
    else
        host::drawLine(*surface, clip, x1, y1, x2, y2, colour);
}

void DGraphics::drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    if (drawable)
        line(x1 + translateX, y1 + translateY, x2 + translateX, y2 + translateY);
}

void DGraphics::drawRect(int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (!drawable)
        return;
    x += translateX;
    y += translateY;
    line(x, y, x + w, y);
    line(x, y, x, y + h);
    line(x + w, y, x + w, y + h);
    line(x, y + h, x + w, y + h);
}

void DGraphics::fillRect(int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (drawable)
        host::fillRect(*surface, clip, x + translateX, y + translateY, w, h, colour);
}

void DGraphics::placeImage(const DImagePtr& img, int32_t& x, int32_t& y, int32_t anchor) const
{
    x += translateX;
    y += translateY;
    if (anchor & RIGHT)
        x -= img->getWidth();
    else if (anchor & HCENTER)
        x -= img->getWidth() >> 1;
    if (anchor & BOTTOM)
        y -= img->getHeight();
    else if (anchor & VCENTER)
        y -= img->getHeight() >> 1;
}

void DGraphics::drawImage(DImagePtr img, int32_t x, int32_t y, int32_t anchor)
{
    if (!drawable)
        return;
    placeImage(img, x, y, anchor);
    host::blitKeyed(*surface, clip, img->surface(), x, y, img->keyColour());
}

void DGraphics::drawImageOpaque(DImagePtr img, int32_t x, int32_t y, int32_t anchor)
{
    if (!drawable)
        return;
    placeImage(img, x, y, anchor);
    host::blitOpaque(*surface, clip, img->surface(), x, y);
}

void DGraphics::drawString(lang::DStringPtr s, int32_t x, int32_t y, int32_t anchor)
{
    if (!drawable)
        return;
    x += translateX;
    y += translateY;
    if (!(anchor & LEFT)) {
        if (anchor & RIGHT)
            x -= font->stringWidth(s);
        else if (anchor & HCENTER)
            x -= font->stringWidth(s) >> 1;
    }
    if (!(anchor & TOP)) {
        if (anchor & BOTTOM)
            y -= font->getHeight();
        else if (anchor & VCENTER)
            y -= font->getHeight() >> 1;
        else if (anchor & BASELINE)
            y -= font->getBaselinePosition();
    }
    for (int32_t i = 0, n = s->length(); i < n; ++i)
        x += plotChar(s->charAt(i), x, y);
}

int32_t DGraphics::drawChar(char16_t ch, int32_t x, int32_t y)
{
    if (!drawable)
        return 0;
    return plotChar(ch, x + translateX, y + translateY);
}

// Glyph pixels are bounded by the surface only: text ignores the clip rectangle.
int32_t DGraphics::plotChar(char16_t ch, int32_t x, int32_t y)
{
    DCharMask* mask = font->maskOf(ch);
    if (!mask)
        return 0;
    for (int32_t row = 0; row < mask->height; ++row) {
        int32_t yy = y + row;
        if (yy < 0 || yy >= surface->height)
            continue;
        const uint8_t* m = mask->row(row);
        uint16_t* d = surface->row(yy);
        for (int32_t col = 0; col < mask->width; ++col) {
            int32_t xx = x + col;
            if (m[col] && xx >= 0 && xx < surface->width)
                d[xx] = colour;
        }
    }
    return mask->width;
}

} // namespace vela::microedition::lcdui
