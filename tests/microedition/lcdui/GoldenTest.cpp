// A test card of every drawing operation, compared with a golden picture that was looked at.
#include "lang/DString.h"
#include "microedition/lcdui/DFont.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"
#include "support/Golden.h"

#include <gtest/gtest.h>

using namespace vela;
using namespace vela::microedition::lcdui;

namespace {

DImagePtr drawCard()
{
    DImagePtr card = DImage::createImage(96, 72);
    DGraphicsPtr g = card->getGraphics();
    const int32_t bars[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
    for (int i = 0; i < 6; ++i) {
        g->setColor(bars[i]);
        g->fillRect(i * 16, 0, 16, 6);
    }
    g->setColor(0x202020);
    g->drawRect(2, 8, 91, 61);
    g->drawLine(2, 8, 93, 69);
    g->drawLine(93, 8, 60, 69);
    DImagePtr sprite = DImage::createImage(12, 12);
    DGraphicsPtr s = sprite->getGraphics();
    s->setColor(0xFF00FF); // the key colour: see-through when drawn with the key
    s->fillRect(0, 0, 12, 12);
    s->setColor(0x3366CC);
    s->fillRect(2, 2, 8, 8);
    g->drawImage(sprite, 48, 40, DGraphics::HCENTER | DGraphics::VCENTER);
    g->drawImageOpaque(DImage::createImage(sprite, DImage::TRANS_ROT90), 93, 69, DGraphics::RIGHT | DGraphics::BOTTOM);
    lang::DintArrayPtr shade = new lang::DintArray(96 * 4);
    for (int i = 0; i < 96 * 4; ++i)
        shade[i] = int32_t(uint32_t(i % 96 * 255 / 95) << 24 | 0xFF8000);
    g->drawRGB(shade, 0, 96, 0, 50, 96, 4, true);
    g->setColor(0x000000);
    g->drawString(new lang::DString(u"Tintrow"), 48, 10, DGraphics::HCENTER | DGraphics::TOP);
    g->setFont(DFont::getFont(DFont::FACE_MONOSPACE, DFont::STYLE_BOLD, DFont::SIZE_SMALL));
    g->drawString(new lang::DString(u"42 pts"), 4, 66, DGraphics::LEFT | DGraphics::BASELINE);
    g->setClip(20, 24, 20, 10);
    g->setColor(0xCC0000);
    g->fillRect(0, 0, 96, 72);
    return card;
}

TEST(Golden, TestCard)
{
    // The golden file holds 8-bit RGB: magenta reads back as the key colour itself.
    support::expectGolden(drawCard()->surface(), std::string(TINTROW_GOLDEN_DIR) + "/test-card.png");
}

} // namespace
