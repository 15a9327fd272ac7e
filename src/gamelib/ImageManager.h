// A sprite set: one atlas image cut into rectangles and composed into animations.
#pragma once

#include "gamelib/Animation.h"
#include "gamelib/GameImage.h"
#include "gamelib/ImageManager.ptr"
#include "io/DDataInputStream.ptr"
#include "microedition/lcdui/DImage.h"

namespace gamelib {

class ImageManager : public vela::lang::DObject {
public:
    ImageManager();
    ~ImageManager() override;

    virtual GameImagePtr getImage(int32_t index);
    // A new image holding just the rectangle; null for an index outside the set.
    virtual vela::microedition::lcdui::DImagePtr createImage(int32_t index);

    // Reads name + ".bin" and the atlas name (.png or .jpg). A missing description leaves the
    // set empty; a damaged one throws the stream's failure and leaves it empty too.
    void load(const vela::lang::DStringPtr& name);
    void load(const char16_t* name);
    // The rectangles and animations of a description, without the atlas; throws the stream's
    // failure for damaged data.
    void readDescription(vela::io::DDataInputStream& in);
    void clear();

    // Transforms 0, 2, 3, 5 and 6 (the image's own transform is not applied); any other
    // draws nothing. `alternate` copies every pixel, the key colour included.
    void drawImage(const vela::microedition::lcdui::DGraphicsPtr& g, const GameImagePtr& image,
        int32_t x, int32_t y, int32_t anchor, int32_t transform, bool alternate);
    // Draws one frame and returns the next (0 after the last); a negative frame draws nothing.
    int32_t drawAnimation(const vela::microedition::lcdui::DGraphicsPtr& g, int32_t index,
        int32_t x, int32_t y, int32_t frame, int32_t mask, bool mirror);

    int32_t imageCount() const { return images ? images->length() : 0; }
    int32_t animationCount() const { return animations ? animations->length() : 0; }
    AnimationPtr getAnimation(int32_t index) const { return animations->get(index); }

    GameImageArrayPtr images;
    AnimationArrayPtr animations;
    vela::microedition::lcdui::DImagePtr atlas;
    // Made the first time a transform needs them: rotation 270, rotation 90, rotation 180,
    // mirror.
    vela::microedition::lcdui::DImagePtr transformed[4];
    int32_t atlasWidth = 0;
    int32_t atlasHeight = 0;

private:
    // The atlas or its copy for a transform, made on first use; null for other transforms.
    vela::microedition::lcdui::DImagePtr sourceFor(int32_t transform);
};

} // namespace gamelib
