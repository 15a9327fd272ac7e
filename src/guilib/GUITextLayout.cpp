// Measuring, line breaking with floats and alignments, and drawing of parsed markup.
#include <algorithm>

#include "gamelib/ImageFont.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIRect.h"
#include "guilib/GUIText.h"
#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "lang/DString.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

using gamelib::ImageFont;
using gamelib::ImageFontPtr;
using vela::lang::DInteger;
using vela::lang::DObject;
using vela::lang::DString;
using vela::lang::DStringPtr;
using vela::microedition::lcdui::DImage;

namespace guilib {

// The text a word chunk shows: its string, or a number token written out; nothing for
// pictures and fonts stored under a word's token.
static DStringPtr wordText(const GUITextChunk& chunk)
{
    DObject* content = chunk.content.get();
    if (auto* s = dynamic_cast<DString*>(content))
        return s;
    if (auto* n = dynamic_cast<DInteger*>(content))
        return n->toString();
    return nullptr;
}

void measureChunk(GUITextChunk& chunk)
{
    chunk.x = chunk.y = 0;
    if (chunk.type == GUITextChunk::TYPE_WORD) {
        if (!chunk.wordFont)
            return;
        DStringPtr text = wordText(chunk);
        chunk.width = text ? chunk.wordFont->stringWidth(text) : 0;
        chunk.height = chunk.wordFont->getHeight();
        return;
    }
    // Pictures are taken by what the token holds, whichever tag named them.
    int32_t w = 0, h = 0;
    if (auto* animation = dynamic_cast<GUIAnimation*>(chunk.content.get())) {
        GUIPoint size = animation->getBoundsSize();
        w = size.x;
        h = size.y;
    } else if (auto* image = dynamic_cast<DImage*>(chunk.content.get())) {
        w = image->getWidth();
        h = image->getHeight();
    }
    chunk.width = w + chunk.marginLeft + chunk.marginRight;
    chunk.height = h + chunk.marginTop + chunk.marginBottom;
}

ImageFontPtr GUIText::textFont() const
{
    ImageFontPtr f = font ? font : GUIEngine::getInstance()->defaultFont;
    if (!f)
        vela::lang::throwException(vela::lang::NullPointerException);
    return f;
}

namespace {

// Words and pictures set side by side on a line, up to the tag, break or chunk that ends them.
struct Run {
    int32_t start = 0;
    int32_t end = 0;       // the chunk that ended the run, or the chunk count
    int32_t entries = 0;   // font changes count too
    int32_t width = 0;     // spaces between the entries included
    int32_t remaining = 0; // room left between the edges
    bool wrapped = false;  // a chunk did not fit
};

// One block being laid out: its floats, the edges of the current line and the runs on it.
class BlockLayout {
public:
    BlockLayout(GUITextChunk& block, int32_t width, const ImageFontPtr& textDefault,
        int32_t alignment)
        : block(block), width(width), chunkCount(block.getChildCount()), textDefault(textDefault),
          current(textDefault), space(textDefault->stringWidth(new DString(u" "))),
          lineHeight(textDefault->getHeight()), flags(alignment & ANCHOR_HORIZONTAL),
          rightEdge(width)
    {
    }

    bool hasChunkAt(int32_t i) const { return i < chunkCount; }
    bool isBlockAt(int32_t i) const
    {
        return hasChunkAt(i) && block.getChild(i)->type == GUITextChunk::TYPE_BLOCK;
    }
    int32_t top() const { return lineTop; }
    int32_t lineEnd() const { return leftEdge; }
    int32_t widestLine() const { return widest; }
    // The height so far; the open line counts unless the last step wrapped.
    int32_t height(bool wrapped) const { return wrapped ? lineTop : lineTop + lineHeight; }

    // Floats at the left or right, top of the block; they narrow the lines beside them.
    void placeFloats();
    // The words and pictures from `first` on that fit between the edges; font changes among
    // them take effect.
    Run gatherRun(int32_t first);
    // Places the run on the line by the horizontal and vertical alignment, and moves the edges.
    void placeRun(const Run& run);
    // Steps past the chunk that ended a run; answers whether it ends the line. A block, or a
    // word or picture that did not fit, stays to be laid out next.
    bool passRunEnd(int32_t& next, bool wrapped);
    // The edges of the line at the current top, narrowed by the floats it passes.
    void resetEdges();
    // Below the current line, as high as the current font.
    void startNextLine();
    // An inner block took this height on lines of its own below the current top.
    void passBlock(int32_t blockHeight) { lineTop += blockHeight; }

private:
    GUITextChunk& block;
    const int32_t width;
    const int32_t chunkCount;
    const ImageFontPtr textDefault;
    ImageFontPtr current;
    const int32_t space;
    int32_t lineHeight;
    int32_t flags;
    int32_t leftEdge = 0;
    int32_t rightEdge;
    int32_t lineTop = 0;
    int32_t leftFloatWidth = 0, leftFloatHeight = 0;
    int32_t rightFloatWidth = 0, rightFloatHeight = 0;
    int32_t widest = 0;
};

void BlockLayout::placeFloats()
{
    for (int32_t i = 0; i < chunkCount; ++i) {
        GUITextChunk& c = *block.getChild(i);
        if (!c.isFloat())
            continue;
        switch (c.align & ANCHOR_HORIZONTAL) {
        case ANCHOR_LEFT:
            c.x = 0;
            c.y = 0;
            leftEdge = leftFloatWidth = c.width;
            leftFloatHeight = c.height;
            break;
        case ANCHOR_RIGHT:
            c.x = width - c.width;
            c.y = 0;
            rightEdge = width - c.width;
            rightFloatWidth = c.width;
            rightFloatHeight = c.height;
            break;
        default: break;
        }
    }
}

Run BlockLayout::gatherRun(int32_t first)
{
    Run run;
    run.start = first;
    run.remaining = rightEdge - leftEdge;
    int32_t i = first;
    while (i < chunkCount) {
        GUITextChunk& c = *block.getChild(i);
        if (c.type == GUITextChunk::TYPE_FONT) {
            ImageFont* chosen = dynamic_cast<ImageFont*>(c.content.get());
            current = chosen ? ImageFontPtr(chosen) : textDefault;
            ++run.entries;
            ++i;
            continue;
        }
        if (!c.isInline())
            break;
        if (c.type == GUITextChunk::TYPE_WORD && !c.wordFont) {
            c.wordFont = current;
            measureChunk(c);
        }
        if (c.width <= run.remaining) {
            run.remaining -= c.width + space;
            run.width += c.width + space;
            lineHeight = std::max(lineHeight, c.height);
            ++run.entries;
            ++i;
            continue;
        }
        run.wrapped = true;
        if (run.entries == 0) {
            // Too wide for any line: it stands alone on this one.
            run.entries = 1;
            ++i;
        }
        break;
    }
    run.end = i;
    if (run.width > 0) {
        // No space after the last entry.
        run.width -= space;
        run.remaining += space;
        widest = std::max(widest, run.width);
    }
    return run;
}

void BlockLayout::placeRun(const Run& run)
{
    int32_t x = leftEdge;
    int32_t gap = space;
    switch (flags & ANCHOR_HORIZONTAL) {
    case ANCHOR_LEFT: leftEdge += run.width; break;
    case ANCHOR_RIGHT:
        rightEdge -= run.width;
        x = rightEdge;
        break;
    case ANCHOR_HCENTER:
        x = (rightEdge - run.width + leftEdge) >> 1;
        leftEdge = x + run.width;
        break;
    default:
        if (run.entries > 1 && run.wrapped)
            gap = space + run.remaining / (run.entries - 1);
        // A run that continues on this line after a tag starts behind this one, as after
        // a left-aligned run, instead of printing over it.
        leftEdge += run.width;
        break;
    }
    for (int32_t k = run.start; k < run.end; ++k) {
        GUITextChunk& c = *block.getChild(k);
        if (!c.isInline())
            continue;
        switch (flags & ANCHOR_VERTICAL) {
        case ANCHOR_BOTTOM: c.y = lineTop + (lineHeight - c.height); break;
        case ANCHOR_VCENTER: c.y = lineTop + (lineHeight - c.height) / 2; break;
        default: c.y = lineTop; break;
        }
        c.x = x;
        x += c.width + gap;
    }
}

bool BlockLayout::passRunEnd(int32_t& next, bool wrapped)
{
    const GUITextChunk& ender = *block.getChild(next);
    switch (ender.type) {
    case GUITextChunk::TYPE_ALIGN:
        flags = (flags & ~ANCHOR_HORIZONTAL) | (ender.align & ANCHOR_HORIZONTAL);
        ++next;
        return wrapped;
    case GUITextChunk::TYPE_VALIGN:
        flags = (flags & ~ANCHOR_VERTICAL) | (ender.align & ANCHOR_VERTICAL);
        ++next;
        return wrapped;
    case GUITextChunk::TYPE_BREAK:
        ++next;
        return true;
    case GUITextChunk::TYPE_FLOAT_ANIMATION:
    case GUITextChunk::TYPE_FLOAT_IMAGE:
    case GUITextChunk::TYPE_FONT: ++next; return wrapped;
    case GUITextChunk::TYPE_BLOCK: return true;
    default: return wrapped;
    }
}

void BlockLayout::resetEdges()
{
    leftEdge = lineTop > leftFloatHeight ? 0 : leftFloatWidth;
    rightEdge = lineTop > rightFloatHeight ? width : width - rightFloatWidth;
}

void BlockLayout::startNextLine()
{
    lineTop += lineHeight;
    lineHeight = current->getHeight();
    resetEdges();
}

} // namespace

int32_t GUIText::layoutBlock(GUITextChunk& block, int32_t width)
{
    BlockLayout layout(block, width, textFont(), alignment);
    layout.placeFloats();
    bool wrapped = false;
    int32_t next = 0;
    while (layout.hasChunkAt(next)) {
        const Run run = layout.gatherRun(next);
        layout.placeRun(run);
        next = run.end;
        if (!layout.hasChunkAt(next)) {
            // The last line is still open, also when it holds a too-wide item alone.
            wrapped = false;
            break;
        }
        wrapped = layout.passRunEnd(next, run.wrapped);
        if (run.width == 0)
            layout.resetEdges();
        if (wrapped)
            layout.startNextLine();
        if (layout.isBlockAt(next)) {
            GUITextChunk& inner = *block.getChild(next++);
            inner.x = 0;
            inner.y = layout.top();
            layout.passBlock(layoutBlock(inner, width));
            wrapped = false;
        }
    }
    maxLineWidth = std::max(maxLineWidth, layout.widestLine());
    endY = layout.top();
    endX = layout.lineEnd();
    return layout.height(wrapped);
}

void GUIText::drawBlock(const DGraphicsPtr& g, const GUITextChunk& block, int32_t bx, int32_t by)
{
    for (int32_t i = 0, n = block.getChildCount(); i < n; ++i) {
        const GUITextChunk& c = *block.getChild(i);
        switch (c.type) {
        case GUITextChunk::TYPE_BLOCK: drawBlock(g, c, bx + c.x, by + c.y); break;
        case GUITextChunk::TYPE_WORD:
            if (c.wordFont)
                if (DStringPtr text = wordText(c))
                    c.wordFont->drawString(g, text, bx + c.x, by + c.y, 0);
            break;
        case GUITextChunk::TYPE_ANIMATION:
        case GUITextChunk::TYPE_IMAGE:
        case GUITextChunk::TYPE_FLOAT_ANIMATION:
        case GUITextChunk::TYPE_FLOAT_IMAGE: {
            int32_t px = bx + c.x + c.marginLeft;
            int32_t py = by + c.y + c.marginTop;
            if (auto* animation = dynamic_cast<GUIAnimation*>(c.content.get()))
                animation->drawAndAdvance(g, px, py);
            else if (auto* image = dynamic_cast<DImage*>(c.content.get()))
                g->drawImage(image, px, py, 0);
            break;
        }
        default: break;
        }
    }
}

static void collectPlaced(const GUITextChunk& block, int32_t bx, int32_t by,
                          std::vector<GUIPlacedChunk>& out)
{
    for (int32_t i = 0, n = block.getChildCount(); i < n; ++i) {
        const GUITextChunk& c = *block.getChild(i);
        if (c.type == GUITextChunk::TYPE_BLOCK)
            collectPlaced(c, bx + c.x, by + c.y, out);
        else if (c.type >= GUITextChunk::TYPE_WORD && c.type <= GUITextChunk::TYPE_FLOAT_IMAGE)
            out.push_back({ &c, bx + c.x, by + c.y });
    }
}

std::vector<GUIPlacedChunk> GUIText::placedChunks() const
{
    std::vector<GUIPlacedChunk> out;
    if (root)
        collectPlaced(*root, 0, 0, out);
    return out;
}

DStringPtr GUITextChunk::getWord() const
{
    return type == TYPE_WORD ? wordText(*this) : nullptr;
}

} // namespace guilib
