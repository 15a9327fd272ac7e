// The game screen's pictures: loading them, the score panel, and the level's static picture
// (floor, board frame, panel, time bar background).
#include "game/GameScreen.h"

#include <algorithm>

#include "gamelib/GameContext.h"
#include "gamelib/Resources.h"
#include "host/Surface.h"
#include "lang/DSystem.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

using namespace vela::lang;
using gamelib::GameContext;
using gamelib::ImageManager;
using gamelib::Resources;
using vela::microedition::lcdui::DGraphics;
using vela::microedition::lcdui::DGraphicsPtr;
using vela::microedition::lcdui::DImage;
using vela::microedition::lcdui::DImagePtr;

namespace tintrow {

namespace {

enum Corner { TOP_LEFT = 0, TOP_RIGHT = 1, BOTTOM_RIGHT = 2, BOTTOM_LEFT = 3 };

// The image's pixels as ARGB words ANDed with `mask`; key-coloured pixels are transparent.
DintArrayPtr argbPixels(const DImagePtr& image, uint32_t mask)
{
    const host::Surface& surface = image->surface();
    DintArrayPtr argb = new DintArray(surface.width * surface.height);
    int32_t* out = argb->data();
    for (uint16_t pixel : surface.pixels) {
        uint32_t word = 0;
        if (pixel != image->keyColour()) {
            uint8_t rgb[3];
            host::fromRgb565(pixel, rgb);
            word = 0xFF000000u | uint32_t(rgb[0]) << 16 | uint32_t(rgb[1]) << 8 | rgb[2];
        }
        *out++ = int32_t(word & mask);
    }
    return argb;
}

// A new image of w x h with `tile` repeated across it from x = 0 (left white without a tile).
DImagePtr tiledStrip(const DImagePtr& tile, int32_t w, int32_t h)
{
    DImagePtr strip = DImage::createImage(w, h);
    if (!tile)
        return strip;
    DGraphicsPtr g = strip->getGraphics();
    for (int32_t x = 0; x < w; x += tile->getWidth())
        g->drawImage(tile, x, 0, 0);
    return strip;
}

int32_t heightOf(const DImagePtr& image)
{
    return image ? image->getHeight() : 0;
}

int32_t widthOf(const DImagePtr& image)
{
    return image ? image->getWidth() : 0;
}

} // namespace

void GameScreen::loadGraphics()
{
    tileImage = Resources::loadImage(u"img/square");
    tilePixels = tileImage ? argbPixels(tileImage, HALF_OPAQUE) : nullptr;
    borderH = Resources::loadImage(u"img/border");
    borderV = borderH ? DImage::createImage(borderH, DImage::TRANS_ROT90) : nullptr;
    corners[TOP_LEFT] = Resources::loadImage(u"img/corner");
    if (corners[TOP_LEFT]) {
        corners[TOP_RIGHT] = DImage::createImage(corners[TOP_LEFT], DImage::TRANS_MIRROR);
        corners[BOTTOM_RIGHT] = DImage::createImage(corners[TOP_LEFT], DImage::TRANS_ROT180);
        corners[BOTTOM_LEFT] = DImage::createImage(corners[TOP_RIGHT], DImage::TRANS_ROT180);
    }
    backImage = Resources::loadImage(u"img/back");
    barBackTile = Resources::loadImage(u"pbar_back");
    barSelTile = Resources::loadImage(u"pbar_sel");
    gameSprites = new ImageManager();
    gameSprites->load(u"img/Game");
    isTouchScreen = DSystem::getIntProperty(u"input.touchscreen") > 0;
    GameContext& context = GameContext::get();
    // The particle speed divides by cellSize >> 3, so a cell is at least 8 pixels.
    int32_t tileSize = tileImage && tileImage->getWidth() >= 8 ? tileImage->getWidth() : game->cellSize;
    game->setScreenGeometry(context.screenWidth, context.screenHeight, tileSize);
    clearParticles();
}

void GameScreen::buildPanel()
{
    DImagePtr left = Resources::loadImage(u"img/titlel");
    DImagePtr middle = Resources::loadImage(u"img/titlem");
    DImagePtr right = Resources::loadImage(u"img/titler");
    panelPixels = nullptr;
    panelWidth = game->screenWidth - 2 * game->cellSize;
    panelHeight = heightOf(left);
    if (!left || !middle || !right || panelWidth < 1 || panelHeight < 1) {
        panelWidth = panelHeight = 0;
        return;
    }
    DImagePtr panel = DImage::createImage(panelWidth, panelHeight);
    DGraphicsPtr g = panel->getGraphics();
    g->setClip(left->getWidth(), 0, panelWidth - left->getWidth() - right->getWidth(), panelHeight);
    for (int32_t x = 0; x < panelWidth; x += middle->getWidth())
        g->drawImage(middle, x, 0, 0);
    g->setClip(0, 0, panelWidth, panelHeight);
    g->drawImage(left, 0, 0, 0);
    g->drawImage(right, panelWidth, 0, DGraphics::TOP | DGraphics::RIGHT);
    panelPixels = argbPixels(panel, HALF_OPAQUE);
}

void GameScreen::paintBackground()
{
    const int32_t w = backImage ? backImage->getWidth() : game->screenWidth;
    const int32_t h = backImage ? backImage->getHeight() : game->screenHeight;
    background = DImage::createImage(w, h);
    DGraphicsPtr g = background->getGraphics();
    if (backImage)
        g->drawImage(backImage, 0, 0, 0);
    if (!game->board)
        return;
    paintFloor(g);
    paintFrame(g);
    g->setClip(0, 0, w, h);
    panelX = (game->screenWidth - panelWidth) >> 1;
    panelY = game->originY - ((heightOf(borderH) * 3) >> 1) - panelHeight;
    if (panelPixels)
        g->drawRGB(panelPixels, 0, panelWidth, panelX, panelY, panelWidth, panelHeight, true);
    if (game->goal == GOAL_TIME)
        paintTimeBarBack(g);
}

void GameScreen::paintFloor(const DGraphicsPtr& g)
{
    if (!tilePixels)
        return;
    const int32_t size = game->cellSize;
    const int32_t rows = std::min(size, tileImage->getHeight());
    for (int32_t y = 0; y < game->height; ++y)
        for (int32_t x = 0; x < game->width; ++x)
            if (isBoardCell(x, y))
                g->drawRGB(tilePixels, 0, tileImage->getWidth(), game->originX + x * size,
                           game->originY + y * size, size, rows, true);
}

bool GameScreen::isBoardCell(int32_t x, int32_t y)
{
    return x >= 0 && y >= 0 && x < game->width && y < game->height
        && game->cellAt(x, y).kind != KIND_HOLE;
}

// Two passes in row order: the outer frame of every board cell, then the inner corners that
// round off the holes.
void GameScreen::paintFrame(const DGraphicsPtr& g)
{
    for (int32_t y = 0; y < game->height; ++y)
        for (int32_t x = 0; x < game->width; ++x)
            if (isBoardCell(x, y))
                paintOuterFrame(g, x, y);
    for (int32_t y = 0; y < game->height; ++y)
        for (int32_t x = 0; x < game->width; ++x)
            if (!isBoardCell(x, y))
                paintInnerCorners(g, x, y);
}

void GameScreen::paintOuterFrame(const DGraphicsPtr& g, int32_t x, int32_t y)
{
    const int32_t size = game->cellSize;
    const int32_t left = game->originX + x * size, top = game->originY + y * size;
    const bool openTop = !isBoardCell(x, y - 1), openLeft = !isBoardCell(x - 1, y);
    const bool openBottom = !isBoardCell(x, y + 1), openRight = !isBoardCell(x + 1, y);
    const int32_t strip = heightOf(borderH), side = widthOf(borderV);
    if (openTop && borderH) {
        g->setClip(left, top - strip, size, strip);
        g->drawImage(borderH, left, top - strip, 0);
    }
    if (openLeft && borderV) {
        g->setClip(left - side, top, side, size);
        g->drawImage(borderV, left - side, top, 0);
    }
    if (openBottom && borderH) {
        g->setClip(left, top + size, size, strip);
        g->drawImage(borderH, left, top + size, 0);
    }
    if (openRight && borderV) {
        g->setClip(left + size, top, side, size);
        g->drawImage(borderV, left + size, top, 0);
    }
    g->setClip(0, 0, background->getWidth(), background->getHeight());
    if (!corners[TOP_LEFT])
        return;
    if (openTop && openLeft)
        g->drawImage(corners[TOP_LEFT], left, top, DGraphics::BOTTOM | DGraphics::RIGHT);
    if (openTop && openRight)
        g->drawImage(corners[TOP_RIGHT], left + size, top, DGraphics::BOTTOM | DGraphics::LEFT);
    if (openBottom && openRight)
        g->drawImage(corners[BOTTOM_RIGHT], left + size, top + size, DGraphics::TOP | DGraphics::LEFT);
    if (openBottom && openLeft)
        g->drawImage(corners[BOTTOM_LEFT], left, top + size, DGraphics::TOP | DGraphics::RIGHT);
}

void GameScreen::paintInnerCorners(const DGraphicsPtr& g, int32_t x, int32_t y)
{
    if (!corners[TOP_LEFT])
        return;
    const int32_t size = game->cellSize;
    const int32_t left = game->originX + x * size, top = game->originY + y * size;
    const bool boardLeft = isBoardCell(x - 1, y), boardTop = isBoardCell(x, y - 1);
    const bool boardRight = isBoardCell(x + 1, y), boardBottom = isBoardCell(x, y + 1);
    if (boardLeft && boardTop)
        g->drawImage(corners[TOP_LEFT], left, top, DGraphics::TOP | DGraphics::LEFT);
    if (boardRight && boardTop)
        g->drawImage(corners[TOP_RIGHT], left + size, top, DGraphics::TOP | DGraphics::RIGHT);
    if (boardRight && boardBottom)
        g->drawImage(corners[BOTTOM_RIGHT], left + size, top + size, DGraphics::BOTTOM | DGraphics::RIGHT);
    if (boardLeft && boardBottom)
        g->drawImage(corners[BOTTOM_LEFT], left, top + size, DGraphics::BOTTOM | DGraphics::LEFT);
}

void GameScreen::paintTimeBarBack(const DGraphicsPtr& g)
{
    if (!barBackTile)
        return;
    const int32_t capWidth = gameSprites->animationCount() > ANIM_BAR_LEFT
        ? gameSprites->getAnimation(ANIM_BAR_LEFT)->firstWidth : 0;
    barX = game->originX + capWidth;
    barY = game->originY + ((heightOf(borderH) * 3) >> 1) + game->boardPixelHeight + 1;
    barWidth = game->boardPixelWidth - 2 * capWidth;
    barHeight = barBackTile->getHeight();
    if (barY + ((barHeight * 5) >> 2) < game->screenHeight - 2)
        barY += barHeight >> 2;
    if (barWidth < 1)
        return;
    DImagePtr back = tiledStrip(barBackTile, barWidth, barHeight);
    g->drawRGB(argbPixels(back, HALF_OPAQUE), 0, barWidth, barX, barY, barWidth, barHeight, true);
    // A fill made for another level's bar would not match this one.
    if (!barFill || barFill->getWidth() != barWidth || barFill->getHeight() != barHeight)
        barFill = tiledStrip(barSelTile, barWidth, barHeight);
}

} // namespace tintrow
