// The software rasterizer: fills, lines, plots and blits on RGB565 surfaces, cut to a clip.
#pragma once

#include "host/Surface.h"

namespace host {

// Left and top inclusive, right and bottom exclusive.
struct ClipRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    static ClipRect of(const Surface& s) { return ClipRect{0, 0, s.width, s.height}; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    ClipRect intersect(const ClipRect& o) const;
};

void plot(Surface& dst, const ClipRect& clip, int x, int y, uint16_t colour);
void fillRect(Surface& dst, const ClipRect& clip, int x, int y, int w, int h, uint16_t colour);
// Both end points are drawn.
void drawLine(Surface& dst, const ClipRect& clip, int x1, int y1, int x2, int y2, uint16_t colour);
// Copies src with its top-left corner at (x, y); pixels equal to key are skipped.
void blitKeyed(Surface& dst, const ClipRect& clip, const Surface& src, int x, int y, uint16_t key);
void blitOpaque(Surface& dst, const ClipRect& clip, const Surface& src, int x, int y);

} // namespace host
