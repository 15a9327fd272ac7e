// The four picture transforms: mirror and the three quarter-turn rotations.
#include "host/PictureDecoder.h"

namespace host {

Surface transformed(const Surface& src, int transform)
{
    int w = src.width, h = src.height;
    bool turned = transform == TRANSFORM_ROT90 || transform == TRANSFORM_ROT270;
    Surface dst(turned ? h : w, turned ? w : h);
    for (int y = 0; y < h; ++y) {
        const uint16_t* s = src.row(y);
        for (int x = 0; x < w; ++x) {
            int dx = x, dy = y;
            switch (transform) {
            case TRANSFORM_MIRROR: dx = w - 1 - x; break;
            case TRANSFORM_ROT180: dx = w - 1 - x; dy = h - 1 - y; break;
            case TRANSFORM_ROT90: dx = h - 1 - y; dy = x; break;
            case TRANSFORM_ROT270: dx = y; dy = w - 1 - x; break;
            default: break;
            }
            dst.row(dy)[dx] = s[x];
        }
    }
    return dst;
}

} // namespace host
