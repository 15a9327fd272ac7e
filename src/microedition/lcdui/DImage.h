// Images: pictures loaded from files or the resource archive, and blank mutable images.
#pragma once

#include "host/Surface.h"
#include "lang/DArray.h"
#include "lang/DObject.h"
#include "lang/DString.ptr"
#include "microedition/lcdui/DGraphics.ptr"
#include "microedition/lcdui/DImage.ptr"

#include <cstdint>

namespace vela::microedition::lcdui {

class DImage : public lang::DObject {
public:
    // Transforms, as the sprite transforms of the platform number them.
    enum { TRANS_NONE = 0, TRANS_MIRROR = 2, TRANS_ROT180 = 3, TRANS_ROT90 = 5, TRANS_ROT270 = 6 };

    explicit DImage(host::Surface pixels);
    ~DImage() override;

    // By name: the file beside the program first, then the archive ("image.path" first).
    // Throws IOException when neither yields a picture.
    static DImagePtr createImage(lang::DStringPtr name);
    static DImagePtr createImage(lang::DStringPtr name, int32_t transform);
    static DImagePtr createImage(DImagePtr source, int32_t transform);
    // Mutable, white; sizes below 1 or beyond any picture throw IllegalArgumentException.
    static DImagePtr createImage(int32_t w, int32_t h);

    DGraphicsPtr getGraphics();
    int32_t getWidth() const { return pixels.width; }
    int32_t getHeight() const { return pixels.height; }
    uint16_t keyColour() const { return key; }
    host::Surface& surface() { return pixels; }
    const host::Surface& surface() const { return pixels; }

private:
    host::Surface pixels;
    uint16_t key = host::KEY_COLOUR;
};

class DImageArray : public lang::DObjectArrayOf<DImage> {
public:
    using DObjectArrayOf::DObjectArrayOf;
};

} // namespace vela::microedition::lcdui
