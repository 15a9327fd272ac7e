// Atlas packing and the description file: rectangles, then animations with shared frames.
#include "SpriteSet.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace datagen {

int SpriteSet::image(const Canvas& picture)
{
    for (size_t i = 0; i < pictures.size(); ++i)
        if (pictures[i] == picture)
            return int(i);
    pictures.push_back(picture);
    return int(pictures.size() - 1);
}

int SpriteSet::add(Animation a)
{
    if (a.frames.empty())
        throw std::runtime_error("animation without frames");
    if (!a.rects.empty() && a.rects.size() != a.frames.size())
        throw std::runtime_error("rect tables must cover every frame");
    animations.push_back(std::move(a));
    return int(animations.size() - 1);
}

int SpriteSet::addStill(const Canvas& picture, int x, int y)
{
    Part p;
    p.x = x, p.y = y, p.image = image(picture);
    return add(Animation{{Frame{p}}, {}});
}

static bool sameFrame(const Frame& a, const Frame& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const Part& p, const Part& q) {
               return p.x == q.x && p.y == q.y && p.image == q.image && p.mask == q.mask && p.mirror == q.mirror;
           });
}

static bool sameRects(const FrameRects& a, const FrameRects& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const FrameRect& p, const FrameRect& q) {
               return p.id == q.id && p.x == q.x && p.y == q.y && p.w == q.w && p.h == q.h;
           });
}

// Index of an earlier equal entry, so the file can refer to it instead of repeating it.
template <class T, class Eq>
static int earlier(const std::vector<T>& list, size_t i, Eq eq)
{
    for (size_t j = 0; j < i; ++j)
        if (eq(list[j], list[i]))
            return int(j);
    return -1;
}

static void writeAnimation(ByteWriter& w, const Animation& a)
{
    w.u16(int(a.frames.size()));
    for (size_t f = 0; f < a.frames.size(); ++f) {
        int shared = earlier(a.frames, f, sameFrame);
        if (shared >= 0) {
            w.u16(0x8000 | shared);
            continue;
        }
        w.u16(int(a.frames[f].size()));
        for (const Part& p : a.frames[f]) {
            w.u16(p.x), w.u16(p.y), w.u16(p.image | (p.mirror ? 0x8000 : 0));
            w.u8(p.mask);
        }
    }
    w.u8(a.rects.empty() ? 0 : 1);
    for (size_t f = 0; f < a.rects.size(); ++f) {
        int shared = earlier(a.rects, f, sameRects);
        if (shared >= 0) {
            w.u16(0x8000 | shared);
            continue;
        }
        w.u16(int(a.rects[f].size()));
        for (const FrameRect& r : a.rects[f])
            w.u16(r.id), w.u16(r.x), w.u16(r.y), w.u16(r.w), w.u16(r.h);
    }
}

SpriteSet::Packed SpriteSet::pack(int maxWidth) const
{
    std::vector<size_t> order(pictures.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [this](size_t a, size_t b) { return pictures[a].height() > pictures[b].height(); });
    struct Place {
        int x, y;
    };
    std::vector<Place> at(pictures.size());
    int x = 0, y = 0, shelf = 0, usedW = 1;
    for (size_t i : order) {
        const Canvas& c = pictures[i];
        if (c.width() > maxWidth)
            throw std::runtime_error("picture wider than the atlas");
        if (x + c.width() > maxWidth)
            x = 0, y += shelf + 1, shelf = 0;
        at[i] = {x, y};
        x += c.width() + 1;  // a key-coloured gutter keeps neighbours apart when clipped
        shelf = std::max(shelf, c.height());
        usedW = std::max(usedW, x - 1);
    }
    Packed out;
    out.atlas.width = usedW;
    out.atlas.height = std::max(1, y + shelf);
    out.atlas.rgb.assign(size_t(out.atlas.width) * out.atlas.height * 3, 0);
    for (size_t p = 0; p < out.atlas.rgb.size(); p += 3)
        out.atlas.rgb[p] = 255, out.atlas.rgb[p + 2] = 255;
    ByteWriter w;
    w.u16(int(pictures.size()));
    for (size_t i = 0; i < pictures.size(); ++i) {
        RgbImage flat = flattenKeyed(pictures[i], matteColour);
        for (int r = 0; r < flat.height; ++r)
            std::copy_n(&flat.rgb[size_t(r) * flat.width * 3], size_t(flat.width) * 3,
                        &out.atlas.rgb[(size_t(at[i].y + r) * out.atlas.width + at[i].x) * 3]);
        w.u16(at[i].x), w.u16(at[i].y), w.u16(flat.width), w.u16(flat.height);
    }
    w.u16(int(animations.size()));
    for (const Animation& a : animations)
        writeAnimation(w, a);
    out.description = w.data();
    return out;
}

}  // namespace datagen
