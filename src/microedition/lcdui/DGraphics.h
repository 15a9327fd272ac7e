// The drawing context: colour, clip, translation and font over an RGB565 surface.
#pragma once

#include "host/Raster.h"
#include "lang/DArray.h"
#include "lang/DObject.h"
#include "microedition/lcdui/DFont.ptr"
#include "microedition/lcdui/DGraphics.ptr"
#include "microedition/lcdui/DImage.ptr"

#include <cstdint>

namespace vela::microedition::lcdui {

class DGraphics : public lang::DObject {
public:
    enum { HCENTER = 1, VCENTER = 2, LEFT = 4, RIGHT = 8, TOP = 16, BOTTOM = 32, BASELINE = 64 };

    // Draws into `target`; `owner`, when given, keeps it alive as long as this context lives.
    DGraphics(host::Surface* target, lang::DObjectPtr owner);
    ~DGraphics() override;

    void setColor(int32_t rgb);
    int32_t getColor() const { return colourAsSet; }
    uint16_t getColor565() const { return colour; }
    DFontPtr getFont() const;
    void setFont(DFontPtr f);

    void setClip(int32_t x, int32_t y, int32_t w, int32_t h);
    void clipRect(int32_t x, int32_t y, int32_t w, int32_t h);
    int32_t getClipX() const { return clip.left - translateX; }
    int32_t getClipY() const { return clip.top - translateY; }
    int32_t getClipWidth() const { return drawable ? clip.right - clip.left : 0; }
    int32_t getClipHeight() const { return drawable ? clip.bottom - clip.top : 0; }

    void translate(int32_t dx, int32_t dy);
    int32_t getTranslateX() const { return translateX; }
    int32_t getTranslateY() const { return translateY; }

    void drawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void drawRect(int32_t x, int32_t y, int32_t w, int32_t h);
    void fillRect(int32_t x, int32_t y, int32_t w, int32_t h);
    void drawImage(DImagePtr img, int32_t x, int32_t y, int32_t anchor);
    void drawImageOpaque(DImagePtr img, int32_t x, int32_t y, int32_t anchor);
    void drawString(lang::DStringPtr s, int32_t x, int32_t y, int32_t anchor);
    // Returns the width of the character's mask, 0 without one.
    int32_t drawChar(char16_t ch, int32_t x, int32_t y);
    void drawRGB(lang::DintArrayPtr argb, int32_t offset, int32_t scanLength, int32_t x, int32_t y,
                 int32_t w, int32_t h, bool processAlpha);

private:
    void resetClip();
    void placeImage(const DImagePtr& img, int32_t& x, int32_t& y, int32_t anchor) const;
    void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    int32_t plotChar(char16_t ch, int32_t x, int32_t y);

    uint16_t colour = 0;
    int32_t colourAsSet = 0;
    host::ClipRect clip;
    host::Surface* surface;
    lang::DObjectPtr surfaceOwner;
    DFontPtr font;
    bool drawable = false;
    int32_t translateX = 0;
    int32_t translateY = 0;
};

} // namespace vela::microedition::lcdui
