// A bitmap font: loading its pages, measuring and drawing text.
#include "gamelib/ImageFont.h"

#include "gamelib/GameContext.h"
#include "gamelib/Resources.h"
#include "io/DDataInputStream.h"
#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"

using namespace vela::lang;
using vela::io::DDataInputStream;
using vela::io::DDataInputStreamPtr;
using vela::io::DInputStreamPtr;
using vela::microedition::lcdui::DGraphics;
using vela::microedition::lcdui::DGraphicsPtr;
using vela::microedition::lcdui::DImageArray;
using vela::microedition::lcdui::DImagePtr;

namespace gamelib {

namespace {
const int32_t ANCHOR_HCENTER = 1;
const int32_t ANCHOR_RIGHT = 8;
const int32_t ANCHOR_BOTTOM = 0x20;
const int32_t ANCHOR_MIDDLE = 0x40;
}

ImageFont::ImageFont()
    : pages(new DImageArray(MAX_PAGES)), offsets(new DintArray2d(MAX_PAGES)),
      widths(new DbyteArray2d(MAX_PAGES)), characters(new DStringArray(MAX_PAGES))
{
    for (int16_t& glyph : latinGlyphs)
        glyph = -1;
}

void ImageFont::load(const DStringPtr& name)
{
    for (int32_t page = 0; page < MAX_PAGES; ++page) {
        bool read = false;
        catchKind(IOException, [&] { read = readPage(page, name + u"_" + page); });
        if (!read)
            break;
        pageCount = page + 1;
    }
    for (int32_t c = 0; c < LATIN_CHARACTERS; ++c) {
        Glyph glyph;
        if (searchPages(char16_t(c), glyph))
            latinGlyphs[c] = int16_t(glyph.page * PAGE_STRIDE + glyph.index);
    }
}

// Reads one page; false when its image or data is missing. Damaged data throws.
bool ImageFont::readPage(int32_t page, const DStringPtr& name)
{
    DImagePtr image = Resources::loadImage(name);
    if (!image)
        return false;
    DInputStreamPtr stream = Resources::openResource(name);
    if (!stream)
        return false;
    DDataInputStreamPtr in = new DDataInputStream(stream);
    const int32_t glyphCount = in->readByte();
    if (glyphCount < 0) {
        stream->close();
        throwException(IOException);
    }
    const int32_t pageSpacing = in->readByte();
    DintArrayPtr pageOffsets = new DintArray(glyphCount + 1);
    DbyteArrayPtr pageWidths = new DbyteArray(glyphCount + 1);
    DStringPtr pageCharacters = new DString();
    try {
        for (int32_t j = 0; j < glyphCount; ++j) {
            pageCharacters = pageCharacters + in->readUTF();
            (*pageWidths)[j] = in->readByte();
            (*pageOffsets)[j + 1] = (*pageOffsets)[j] + (*pageWidths)[j];
        }
    } catch (DExceptionBase*) {
        stream->close();
        throw;
    }
    stream->close();
    pages->set(page, image);
    offsets->set(page, pageOffsets);
    widths->set(page, pageWidths);
    characters->set(page, pageCharacters);
    spacing = pageSpacing;
    return true;
}

bool ImageFont::searchPages(char16_t c, Glyph& glyph) const
{
    for (int32_t page = 0; page < pageCount; ++page) {
        int32_t index = characters->get(page)->indexOf(c);
        // A glyph string of several characters shifts the rest; past the last glyph there is
        // no image to draw.
        if (index >= 0 && index < widths->get(page)->length() - 1) {
            glyph = Glyph{page, index};
            return true;
        }
    }
    return false;
}

bool ImageFont::findGlyph(char16_t c, Glyph& glyph) const
{
    if (c < LATIN_CHARACTERS) {
        int32_t found = latinGlyphs[c];
        glyph = Glyph{found / PAGE_STRIDE, found % PAGE_STRIDE};
        return found >= 0;
    }
    return searchPages(c, glyph);
}

int32_t ImageFont::spaceAdvance() const
{
    int32_t width = pageCount > 0 ? (*widths->get(0))[0] : 0;
    return width + spacing;
}

int32_t ImageFont::getHeight() const
{
    return pageCount > 0 ? pages->get(0)->getHeight() : 0;
}

int32_t ImageFont::stringWidth(const DStringPtr& s) const
{
    int32_t width = 0;
    for (char16_t c : s->view()) {
        Glyph glyph;
        if (c == u' ')
            width += spaceAdvance();
        else if (findGlyph(c, glyph))
            width += (*widths->get(glyph.page))[glyph.index] + spacing;
    }
    return width;
}

void ImageFont::drawString(const DGraphicsPtr& g, const DStringPtr& s, int32_t x, int32_t y,
    int32_t anchor) const
{
    const int32_t height = getHeight();
    if (anchor & ANCHOR_HCENTER)
        x -= stringWidth(s) >> 1;
    if (anchor & ANCHOR_RIGHT)
        x -= stringWidth(s);
    if (anchor & ANCHOR_MIDDLE)
        y -= height >> 1;
    if (anchor & ANCHOR_BOTTOM)
        y -= height;
    if (y + height < 0 || y >= GameContext::get().screenHeight || pageCount == 0)
        return;
    const int32_t clipX = g->getClipX(), clipY = g->getClipY();
    const int32_t clipWidth = g->getClipWidth(), clipHeight = g->getClipHeight();
    for (char16_t c : s->view()) {
        Glyph glyph;
        if (c == u' ') {
            x += spaceAdvance();
            continue;
        }
        if (!findGlyph(c, glyph))
            continue;
        const int32_t width = (*widths->get(glyph.page))[glyph.index];
        DImagePtr page = pages->get(glyph.page);
        g->clipRect(x, y, width, page->getHeight());
        g->drawImage(page, x - (*offsets->get(glyph.page))[glyph.index], y,
            DGraphics::TOP | DGraphics::LEFT);
        g->setClip(clipX, clipY, clipWidth, clipHeight);
        x += width + spacing;
    }
}

} // namespace gamelib
