// Pixel transfer from ARGB arrays, with or without alpha blending.
#include "microedition/lcdui/BlendTable.h"
#include "microedition/lcdui/DGraphics.h"

#include "lang/DExceptionBase.h"

#include <algorithm>
#include <cstring>

namespace vela::microedition::lcdui {

const BlendTable& blendTable()
{
    static const BlendTable table = [] {
        BlendTable t;
        for (int v = 0; v < 64; ++v)
            for (int a = 0; a < 256; ++a)
                t.product[v][a] = uint16_t(v * a);
        return t;
    }();
    return table;
}

void DGraphics::drawRGB(lang::DintArrayPtr argb, int32_t offset, int32_t scanLength, int32_t x, int32_t y,
                        int32_t w, int32_t h, bool processAlpha)
{
    if (!drawable)
        return;
    x += translateX;
    y += translateY;
    long long left = std::max<long long>(x, clip.left), top = std::max<long long>(y, clip.top);
    long long right = std::min<long long>((long long)x + w, clip.right);
    long long bottom = std::min<long long>((long long)y + h, clip.bottom);
    if (right <= left || bottom <= top)
        return;
    int32_t cols = int32_t(right - left);
    const int32_t* src = argb->data();
    long long length = argb->length();
    long long start = offset + (top - y) * (long long)scanLength + (left - x);
    const BlendTable& table = blendTable();
    const int CHUNK = 256; // the row is built in pieces of this size, then copied in one block
    uint16_t rowBuffer[CHUNK];
    for (long long yy = top; yy < bottom; ++yy, start += scanLength) {
        if (start < 0 || start + cols > length)
            lang::throwException(lang::ArrayIndexOutOfBoundsException);
        uint16_t* dst = surface->row(int(yy)) + left;
        for (int32_t done = 0; done < cols; done += CHUNK) {
            int32_t n = std::min(CHUNK, cols - done);
            const int32_t* s = src + start + done;
            if (processAlpha)
                for (int32_t i = 0; i < n; ++i)
                    rowBuffer[i] = blendOver(dst[done + i], uint32_t(s[i]), table);
            else
                for (int32_t i = 0; i < n; ++i)
                    rowBuffer[i] = host::toRgb565(uint32_t(s[i]));
            std::memcpy(dst + done, rowBuffer, size_t(n) * sizeof(uint16_t));
        }
    }
}

} // namespace vela::microedition::lcdui
