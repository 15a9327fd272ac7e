// Sprite sets: pictures packed into one atlas and composed into animations, with their ".bin" file.
#pragma once

#include "Bytes.h"
#include "Canvas.h"
#include "Png.h"

#include <vector>

namespace datagen {

struct Part {
    int x = 0, y = 0;
    int image = 0;
    int mask = 0;         // 0: always drawn
    bool mirror = false;  // drawn mirrored
};
using Frame = std::vector<Part>;

struct FrameRect {
    int id, x, y, w, h;
};
using FrameRects = std::vector<FrameRect>;

struct Animation {
    std::vector<Frame> frames;
    std::vector<FrameRects> rects;  // empty, or one table per frame
};

class SpriteSet {
public:
    explicit SpriteSet(Rgba matte) : matteColour(matte) {}

    // The rectangle index of a picture; a picture drawn before is shared.
    int image(const Canvas& picture);
    // Appends an animation and returns its number.
    int add(Animation a);
    int addStill(const Canvas& picture, int x = 0, int y = 0);

    int animationCount() const { return int(animations.size()); }
    const Animation& animation(int i) const { return animations[size_t(i)]; }
    const Canvas& picture(int image) const { return pictures[size_t(image)]; }

    struct Packed {
        RgbImage atlas;
        Bytes description;
    };
    // Packs the atlas (shelves, tallest first) no wider than maxWidth and writes the description.
    Packed pack(int maxWidth) const;

private:
    Rgba matteColour;
    std::vector<Canvas> pictures;
    std::vector<Animation> animations;
};

// A description as the game reads it (see readSpriteSet); used by the checks and the contact
// sheets.
struct ParsedSet {
    struct Rect {
        int x, y, w, h;
    };
    std::vector<Rect> rects;
    std::vector<Animation> anims;  // shared frames resolved
};

}  // namespace datagen
