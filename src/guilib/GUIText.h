// A markup text: resolved through the string table, parsed into chunks, laid out, drawn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gamelib/ImageFont.h"
#include "gamelib/StringManager.h"
#include "guilib/GUIGraphics.h"
#include "guilib/GUIText.ptr"
#include "guilib/GUITextChunk.h"
#include "lang/DObject.h"
#include "lang/DString.h"
#include "util/DHashtable.ptr"

namespace guilib {

// A word or picture of a laid-out text, at its place relative to the text's top-left corner.
struct GUIPlacedChunk {
    const GUITextChunk* chunk;
    int32_t x;
    int32_t y;
};

class GUIText : public vela::lang::DObject {
public:
    // Blocks nested deeper than this are read as plain text runs of the enclosing block, so
    // that hostile markup cannot exhaust the stack in layout or drawing.
    static constexpr int32_t MAX_BLOCK_DEPTH = 32;

    GUIText();
    ~GUIText() override;

    void setTextKey(const vela::lang::DStringPtr& newKey);
    void setMarkup(const vela::lang::DStringPtr& text);
    void setFont(const gamelib::ImageFontPtr& newFont);
    void setStrings(const gamelib::StringManagerPtr& table) { strings = table; }
    void setAlignment(int32_t flags) { alignment = flags; }
    void setNewlineBreaks(bool on) { newlineBreaks = on; }
    void putToken(const vela::lang::DStringPtr& tokenKey, const vela::lang::DObjectPtr& value);
    vela::lang::DObjectPtr getToken(const vela::lang::DStringPtr& tokenKey) const;

    int32_t getHeight(int32_t width);
    void paint(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t width, int32_t height);

    // Resolves the key after a language change and parses when needed.
    void ensureReady();
    // Lays the parsed text out for `width` unless that layout exists already.
    void layout(int32_t width);
    int32_t getMaxLineWidth() const { return maxLineWidth; }
    // Words and pictures (types 3 to 7) of the last layout in document order, nested blocks'
    // offsets added.
    std::vector<GUIPlacedChunk> placedChunks() const;

    int32_t resolvedLanguage = -1;
    vela::lang::DStringPtr key;
    vela::lang::DStringPtr markup;
    int32_t layoutWidth = -1;
    int32_t layoutHeight = 0;
    int32_t maxLineWidth = 0;
    int32_t endX = 0;
    int32_t endY = 0;
    GUITextChunkPtr root;
    gamelib::StringManagerPtr strings;
    gamelib::ImageFontPtr font;
    int32_t alignment = 0;
    bool newlineBreaks = false;
    vela::util::DHashtablePtr tokens;

private:
    void resolveKey();
    void parse();
    void parseAttributes(GUITextChunk& chunk, const vela::lang::DStringPtr& text, int32_t pos,
                         int32_t end);
    void addWord(GUITextChunk& block, std::u16string& buffer);
    gamelib::ImageFontPtr textFont() const;
    int32_t layoutBlock(GUITextChunk& block, int32_t width);
    void drawBlock(const DGraphicsPtr& g, const GUITextChunk& block, int32_t bx, int32_t by);
};

// Measures a chunk: a word with its font, a picture with its margins.
void measureChunk(GUITextChunk& chunk);

} // namespace guilib
