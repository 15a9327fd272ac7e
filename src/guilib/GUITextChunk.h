// A node of parsed markup: a block, a word, an inline or floating picture, or a switch.
#pragma once

#include <cstdint>

#include "gamelib/ImageFont.h"
#include "guilib/GUITextChunk.ptr"
#include "lang/DObject.h"
#include "lang/DString.h"
#include "util/DVector.ptr"

namespace guilib {

class GUITextChunk : public vela::lang::DObject {
public:
    enum : int32_t {
        TYPE_BLOCK = 0,
        TYPE_ALIGN = 1,
        TYPE_VALIGN = 2,
        TYPE_WORD = 3,
        TYPE_ANIMATION = 4,
        TYPE_IMAGE = 5,
        TYPE_FLOAT_ANIMATION = 6,
        TYPE_FLOAT_IMAGE = 7,
        TYPE_BREAK = 8,
        TYPE_FONT = 9,
    };

    GUITextChunk(int32_t type, int32_t align);
    ~GUITextChunk() override;

    void addChild(const GUITextChunkPtr& chunk);
    int32_t getChildCount() const;
    GUITextChunk* getChild(int32_t index) const;
    // Words, animations and images: what takes room on a line.
    bool isInline() const { return type >= TYPE_WORD && type <= TYPE_IMAGE; }
    // The text a word chunk shows (a number token written out); null for other chunks.
    vela::lang::DStringPtr getWord() const;
    bool isFloat() const { return type == TYPE_FLOAT_ANIMATION || type == TYPE_FLOAT_IMAGE; }

    int32_t type;
    int32_t align;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    vela::lang::DObjectPtr content;
    gamelib::ImageFontPtr wordFont;
    int32_t marginLeft = 0;
    int32_t marginTop = 0;
    int32_t marginRight = 0;
    int32_t marginBottom = 0;
    vela::util::DVectorPtr children;
};

} // namespace guilib
