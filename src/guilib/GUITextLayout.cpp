// Measuring, line breaking with floats and alignments, and drawing of parsed markup.
#include <algorithm>

#include "gamelib/ImageFont.h"
#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
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

// Line state of one block while it is being laid out.
struct LineState {
    int32_t width = 0;
    int32_t leftEdge = 0;
    int32_t rightEdge = 0;
    int32_t lineTop = 0;
    int32_t leftFloatWidth = 0, leftFloatHeight = 0;
    int32_t rightFloatWidth = 0, rightFloatHeight = 0;

    // Edges for the current line: a float narrows the lines until lineTop passes its height.
    void resetEdges()
    {
        leftEdge = lineTop > leftFloatHeight ? 0 : leftFloatWidth;
        rightEdge = lineTop > rightFloatHeight ? width : width - rightFloatWidth;
    }
};

} // namespace

int32_t GUIText::layoutBlock(GUITextChunk& block, int32_t width)
{
    const int32_t count = block.getChildCount();
    const ImageFontPtr textDefault = textFont();
    ImageFontPtr current = textDefault;
    const DStringPtr spaceText = new DString(u" ");
    int32_t lineHeight = current->getHeight();
    const int32_t space = current->stringWidth(spaceText);
    int32_t flags = alignment & 3;
    LineState line;
    line.width = width;
    line.rightEdge = width;

    for (int32_t i = 0; i < count; ++i) {
        GUITextChunk& c = *block.getChild(i);
        if (!c.isFloat())
            continue;
        if ((c.align & 3) == 0) {
            c.x = 0;
            c.y = 0;
            line.leftEdge = line.leftFloatWidth = c.width;
            line.leftFloatHeight = c.height;
        } else if ((c.align & 3) == 1) {
            c.x = width - c.width;
            c.y = 0;
            line.rightEdge = width - c.width;
            line.rightFloatWidth = c.width;
            line.rightFloatHeight = c.height;
        }
    }

    bool wrapped = false;
    int32_t i = 0;
    while (i < count) {
        // a. Gather a run of words and pictures that fits between the edges.
        int32_t remaining = line.rightEdge - line.leftEdge;
        int32_t lineWidth = 0;
        int32_t n = 0;
        wrapped = false;
        const int32_t runStart = i;
        while (i < count) {
            GUITextChunk& c = *block.getChild(i);
            if (c.type == GUITextChunk::TYPE_FONT) {
                ImageFont* chosen = dynamic_cast<ImageFont*>(c.content.get());
                current = chosen ? ImageFontPtr(chosen) : textDefault;
                ++n;
                ++i;
                continue;
            }
            if (!c.isInline())
                break;
            if (c.type == GUITextChunk::TYPE_WORD && !c.wordFont) {
                c.wordFont = current;
                measureChunk(c);
            }
            if (c.width <= remaining) {
                remaining -= c.width + space;
                lineWidth += c.width + space;
                lineHeight = std::max(lineHeight, c.height);
                ++n;
                ++i;
                continue;
            }
            wrapped = true;
            if (n == 0) {
                // Too wide for any line: it stands alone on this one.
                n = 1;
                ++i;
            }
            break;
        }
        const int32_t runEnd = i;
        // b.
        if (lineWidth > 0) {
            lineWidth -= space;
            remaining += space;
            maxLineWidth = std::max(maxLineWidth, lineWidth);
        }
        // c. Start and gap by the horizontal alignment.
        int32_t x = line.leftEdge;
        int32_t gap = space;
        switch (flags & 3) {
        case 0: line.leftEdge += lineWidth; break;
        case 1:
            line.rightEdge -= lineWidth;
            x = line.rightEdge;
            break;
        case 2:
            x = (line.rightEdge - lineWidth + line.leftEdge) >> 1;
            line.leftEdge = x + lineWidth;
            break;
        default:
            if (n > 1 && wrapped)
                gap = space + remaining / (n - 1);
            // A run that continues on this line after a tag starts behind this one, as after
            // a left-aligned run, instead of printing over it.
            line.leftEdge += lineWidth;
            break;
        }
        // d. Place the run's words and pictures.
        for (int32_t k = runStart; k < runEnd; ++k) {
            GUITextChunk& c = *block.getChild(k);
            if (!c.isInline())
                continue;
            switch (flags & 12) {
            case 4: c.y = line.lineTop + (lineHeight - c.height); break;
            case 8: c.y = line.lineTop + (lineHeight - c.height) / 2; break;
            default: c.y = line.lineTop; break;
            }
            c.x = x;
            x += c.width + gap;
        }
        // e. What ended the run.
        if (i >= count) {
            // The last line is still open, also when it holds a too-wide item alone.
            wrapped = false;
            break;
        }
        GUITextChunk& ender = *block.getChild(i);
        switch (ender.type) {
        case GUITextChunk::TYPE_ALIGN:
            flags = (flags & ~3) | (ender.align & 3);
            ++i;
            break;
        case GUITextChunk::TYPE_VALIGN:
            flags = (flags & ~12) | (ender.align & 12);
            ++i;
            break;
        case GUITextChunk::TYPE_BREAK:
            wrapped = true;
            ++i;
            break;
        case GUITextChunk::TYPE_FLOAT_ANIMATION:
        case GUITextChunk::TYPE_FLOAT_IMAGE:
        case GUITextChunk::TYPE_FONT: ++i; break;
        case GUITextChunk::TYPE_BLOCK: wrapped = true; break;
        default: break;
        }
        // f.
        if (lineWidth == 0)
            line.resetEdges();
        // g.
        if (wrapped) {
            line.lineTop += lineHeight;
            lineHeight = current->getHeight();
            line.resetEdges();
        }
        // h.
        if (i < count && block.getChild(i)->type == GUITextChunk::TYPE_BLOCK) {
            GUITextChunk& inner = *block.getChild(i);
            inner.x = 0;
            inner.y = line.lineTop;
            line.lineTop += layoutBlock(inner, width);
            wrapped = false;
            ++i;
        }
    }
    endY = line.lineTop;
    endX = line.leftEdge;
    return wrapped ? line.lineTop : line.lineTop + lineHeight;
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
