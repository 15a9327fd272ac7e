// Atlas packing and the description file: rectangles, then animations with shared frames.
#include "SpriteSet.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace datagen {

int SpriteSet::image(const Canvas& picture)
{
    for (size_t i = 0; i < pictures_.size(); ++i)
        if (pictures_[i] == picture)
            return int(i);
    pictures_.push_back(picture);
    return int(pictures_.size() - 1);
}

int SpriteSet::add(Animation a)
{
    if (a.frames.empty())
        throw std::runtime_error("animation without frames");
    if (!a.rects.empty() && a.rects.size() != a.frames.size())
        throw std::runtime_error("rect tables must cover every frame");
    anims_.push_back(std::move(a));
    return int(anims_.size() - 1);
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
    std::vector<size_t> order(pictures_.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [this](size_t a, size_t b) { return pictures_[a].height() > pictures_[b].height(); });
    struct Place {
        int x, y;
    };
    std::vector<Place> at(pictures_.size());
    int x = 0, y = 0, shelf = 0, usedW = 1;
    for (size_t i : order) {
        const Canvas& c = pictures_[i];
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
    w.u16(int(pictures_.size()));
    for (size_t i = 0; i < pictures_.size(); ++i) {
        RgbImage flat = flattenKeyed(pictures_[i], matte_);
        for (int r = 0; r < flat.height; ++r)
            std::copy_n(&flat.rgb[size_t(r) * flat.width * 3], size_t(flat.width) * 3,
                        &out.atlas.rgb[(size_t(at[i].y + r) * out.atlas.width + at[i].x) * 3]);
        w.u16(at[i].x), w.u16(at[i].y), w.u16(flat.width), w.u16(flat.height);
    }
    w.u16(int(anims_.size()));
    for (const Animation& a : anims_)
        writeAnimation(w, a);
    out.description = w.data();
    return out;
}

namespace {
class Cursor {
public:
    explicit Cursor(const Bytes& b) : b_(b) {}
    int u8()
    {
        need(1);
        return b_[pos_++];
    }
    int u16()
    {
        need(2);
        int v = b_[pos_] << 8 | b_[pos_ + 1];
        pos_ += 2;
        return v;
    }
    int s16() { return int16_t(u16()); }
    bool atEnd() const { return pos_ == b_.size(); }

private:
    void need(size_t n) const
    {
        if (b_.size() - pos_ < n)
            throw std::runtime_error("sprite description ends early");
    }
    const Bytes& b_;
    size_t pos_ = 0;
};
}  // namespace

ParsedSet parseDescription(const Bytes& bin)
{
    Cursor c(bin);
    ParsedSet set;
    int n = c.s16();
    for (int i = 0; i < n; ++i) {
        int x = c.s16(), y = c.s16(), w = c.s16(), h = c.s16();
        set.rects.push_back({x, y, w, h});
    }
    int anims = c.s16();
    for (int a = 0; a < anims; ++a) {
        Animation anim;
        int word = c.u16();
        if (word & 0x8000)
            c.u8(), c.u8();
        int frames = word & 0x7FFF;
        for (int f = 0; f < frames; ++f) {
            int fw = c.u16();
            if (fw & 0x8000) {
                size_t ref = size_t(fw & 0x7FFF);
                if (ref >= anim.frames.size())
                    throw std::runtime_error("frame refers to a frame not yet read");
                anim.frames.push_back(anim.frames[ref]);
                continue;
            }
            Frame fr;
            for (int p = 0; p < fw; ++p) {
                Part part;
                part.x = c.s16(), part.y = c.s16();
                int img = c.u16();
                part.image = img & 0x7FFF, part.mirror = (img & 0x8000) != 0;
                part.mask = c.u8();
                if (part.image >= n)
                    throw std::runtime_error("part names a missing rectangle");
                fr.push_back(part);
            }
            anim.frames.push_back(fr);
        }
        if (c.u8()) {
            for (int f = 0; f < frames; ++f) {
                int rw = c.u16();
                if (rw & 0x8000) {
                    size_t ref = size_t(rw & 0x7FFF);
                    if (ref >= anim.rects.size())
                        throw std::runtime_error("rect table refers to one not yet read");
                    anim.rects.push_back(anim.rects[ref]);
                    continue;
                }
                FrameRects rs;
                for (int e = 0; e < rw; ++e) {
                    int id = c.s16(), x = c.s16(), y = c.s16(), w = c.s16(), h = c.s16();
                    rs.push_back({id, x, y, w, h});
                }
                anim.rects.push_back(rs);
            }
        }
        set.anims.push_back(anim);
    }
    if (!c.atEnd())
        throw std::runtime_error("sprite description has bytes after its last animation");
    return set;
}

}  // namespace datagen
