// Painting the game screen in its nine steps: background, balls, path, cursor, the travelling
// ball or the end message, panel, time bar or points to go, particles, menu button.
#include "game/GameScreen.h"

#include <algorithm>

#include "gamelib/Fonts.h"
#include "gamelib/GameContext.h"
#include "guilib/GUIText.h"
#include "lang/DInteger.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/DImage.h"

using namespace vela::lang;
using gamelib::Fonts;
using gamelib::GameContext;
using gamelib::ImageFontPtr;
using vela::microedition::lcdui::DGraphics;
using vela::microedition::lcdui::DGraphicsPtr;

namespace tintrow {

namespace {

// The look k of display states 0 to 6: neutral, pleased, excited, selected, appearing,
// vanishing, preview.
const int32_t BALL_LOOK[] = {0, 1, 2, 6, 4, 5, 3};
const int32_t LOOKS_PER_COLOUR = 7;
// Horizontal gap between two next-ball icons.
const int32_t NEXT_BALL_GAP = 2;
// Gap between the end message and the score line under it.
const int32_t MESSAGE_LINE_GAP = 2;
// The panel keeps room for a score of this many digits left of the game-type icon.
const char16_t SCORE_ROOM[] = u"000000";
const int32_t PTS_ALIGN_VCENTER = 8;

bool animates(int32_t state)
{
    return state == STATE_SELECTED || state == STATE_APPEARING || state == STATE_VANISHING;
}

} // namespace

int32_t GameScreen::ballAnimation(int32_t colour, int32_t state)
{
    if (state < STATE_NEUTRAL || state > STATE_PREVIEW)
        return -1;
    return LOOKS_PER_COLOUR * colour + BALL_LOOK[state];
}

void GameScreen::paint(const DGraphicsPtr& g)
{
    const int32_t w = game->screenWidth, h = game->screenHeight;
    g->setClip(0, 0, w, h);
    if (background)
        g->drawImageOpaque(background, w >> 1, 0, DGraphics::HCENTER | DGraphics::TOP);
    if (!game->board)
        return;
    if (tilePixels)
        paintBalls(g);
    paintPath(g);
    if (game->cursorVisible)
        paintCursor(g);
    paintTurnMessage(g);
    if (panelPixels)
        paintPanel(g);
    if (game->goal == GOAL_TIME)
        paintTimeBar(g);
    else if (game->goal == GOAL_SCORE)
        paintPointsToGo(g);
    paintParticles(g);
    if (isTouchScreen)
        drawAt(g, ANIM_MENU_BUTTON, 0, 0);
}

// Balls and previews in row order; the selected, appearing and vanishing looks run, and the
// rules wait on their loops.
void GameScreen::paintBalls(const DGraphicsPtr& g)
{
    const int32_t size = game->cellSize;
    for (int32_t y = 0; y < game->height; ++y) {
        for (int32_t x = 0; x < game->width; ++x) {
            Cell& cell = game->cellAt(x, y);
            if (cell.kind != KIND_BALL && cell.state != STATE_PREVIEW)
                continue;
            const int32_t animation = ballAnimation(cell.colour, cell.state);
            if (animation < 0 || animation >= gameSprites->animationCount())
                continue;
            const int32_t left = game->originX + x * size, top = game->originY + y * size;
            if (!animates(cell.state)) {
                gameSprites->drawAnimation(g, animation, left, top, 0, 0, false);
                continue;
            }
            const int32_t old = cell.frame;
            cell.frame = gameSprites->drawAnimation(g, animation, left, top, old, 0, false);
            // A look of one frame never wraps; counting each drawing as a loop keeps the
            // turn cycle from waiting on it for ever.
            if ((cell.frame == 0 && old != 0)
                || gameSprites->getAnimation(animation)->frameCount() == 1)
                ++cell.loops;
        }
    }
}

void GameScreen::paintPath(const DGraphicsPtr& g)
{
    const DintArrayPtr& path = game->path;
    if (game->targetX < 0 || game->targetY < 0 || game->foundNode < 0 || !path)
        return;
    const int32_t first = game->turnState == TURN_TRAVELLING ? game->pathStep + 1 : 0;
    for (int32_t i = std::max(first, 0); i < path->length(); ++i) {
        const int32_t node = (*path)[i];
        if (node < 0 || size_t(node) >= game->nodes.size())
            continue;
        drawAtCentre(g, ANIM_PATH_DOT, game->nodes[size_t(node)].x, game->nodes[size_t(node)].y, 0);
    }
    drawAtCentre(g, ANIM_PATH_DOT, game->targetX, game->targetY, 0);
}

void GameScreen::paintCursor(const DGraphicsPtr& g)
{
    drawAtCentre(g, ANIM_CURSOR, game->cursorX, game->cursorY, game->bob >> 16);
}

void GameScreen::paintTurnMessage(const DGraphicsPtr& g)
{
    const int32_t state = game->turnState;
    if (state == TURN_TRAVELLING) {
        drawAt(g, game->travelAnimation, game->originX + game->travelX, game->originY + game->travelY);
        return;
    }
    if (state != TURN_GAME_OVER && state != TURN_LEVEL_COMPLETE && state != TURN_LAST_LEVEL_COMPLETE)
        return;
    // The bitmap fonts do not centre vertically on VCENTER: the message's top is at the centre
    // and the score line follows under it.
    ImageFontPtr font = Fonts::get(Fonts::MENU_RED);
    const int32_t x = game->screenWidth / 2, y = game->screenHeight / 2;
    const int32_t anchor = DGraphics::HCENTER | DGraphics::VCENTER;
    font->drawString(g, state == TURN_GAME_OVER ? gameOverText : levelCompleteText, x, y, anchor);
    scoreText();
    font->drawString(g, scoreLine, x, y + font->getHeight() + MESSAGE_LINE_GAP, anchor);
}

// Next balls at the left, the score at the right and the game-type icon before the score.
void GameScreen::paintPanel(const DGraphicsPtr& g)
{
    if (gameSprites->animationCount() <= ANIM_PATH_DOT)
        return;
    g->setClip(0, 0, game->screenWidth, game->screenHeight);
    const int32_t icon = gameSprites->getAnimation(ANIM_NEXT_BALL)->firstWidth;
    for (int32_t i = 0; game->nextBalls && i < game->nextBalls->length(); ++i) {
        const int32_t colour = game->nextBalls[i]->colour;
        gameSprites->drawAnimation(g, ANIM_NEXT_BALL + colour, panelX + icon / 2 + i * (icon + NEXT_BALL_GAP),
                                   panelY + (panelHeight - icon) / 2, 0, 0, false);
    }
    ImageFontPtr font = Fonts::get(Fonts::SCORE);
    if (sixDigitsWidth == 0)
        sixDigitsWidth = font->stringWidth(new DString(SCORE_ROOM));
    const int32_t scoreRight = panelX + panelWidth - icon / 2;
    font->drawString(g, scoreText(), scoreRight, panelY + (panelHeight - font->getHeight()) / 2,
                     DGraphics::TOP | DGraphics::RIGHT);
    const int32_t type = game->gameType == TYPE_BLOCKS ? ANIM_TYPE_BLOCKS : ANIM_TYPE_LINES;
    const gamelib::Animation& look = *gameSprites->getAnimation(type);
    gameSprites->drawAnimation(g, type, scoreRight - sixDigitsWidth - (look.firstLeft + look.firstWidth),
                               panelY + (panelHeight - look.firstHeight) / 2 - look.firstTop, 0, 0, false);
}

// The fill shows the time bank; the ends and edges take the colour of its stage (0 to 6), and
// the indicator runs at the end of the fill.
void GameScreen::paintTimeBar(const DGraphicsPtr& g)
{
    if (!barBackTile || barWidth < 1 || game->timeLimit < 1
        || gameSprites->animationCount() <= ANIM_BAR_UPPER + 4 * BAR_LAST_STAGE)
        return;
    const int32_t screenW = game->screenWidth, screenH = game->screenHeight;
    const int64_t limit = game->timeLimit;
    // A bank drained below zero (a long stall) shows an empty bar, not a stage below 0.
    const int64_t shown = std::max<int64_t>(0, std::min(game->timeBank, limit));
    const int32_t fill = int32_t(shown * barWidth / limit);
    if (barFill && fill > 0) {
        g->setClip(barX, barY, fill, barHeight);
        g->drawImage(barFill, barX, barY, 0);
        g->setClip(0, 0, screenW, screenH);
    }
    const int32_t stage = 4 * int32_t(shown * BAR_LAST_STAGE / limit);
    const gamelib::Animation& leftEnd = *gameSprites->getAnimation(ANIM_BAR_LEFT + stage);
    const gamelib::Animation& rightEnd = *gameSprites->getAnimation(ANIM_BAR_RIGHT + stage);
    const int32_t middle = barY + barHeight / 2;
    gameSprites->drawAnimation(g, ANIM_BAR_LEFT + stage, barX - (leftEnd.firstLeft + leftEnd.firstWidth),
                               middle - leftEnd.firstTop - leftEnd.firstHeight / 2, 0, 0, false);
    gameSprites->drawAnimation(g, ANIM_BAR_RIGHT + stage, barX + barWidth - rightEnd.firstLeft,
                               middle - rightEnd.firstTop - rightEnd.firstHeight / 2, 0, 0, false);
    const gamelib::Animation& upper = *gameSprites->getAnimation(ANIM_BAR_UPPER + stage);
    const gamelib::Animation& lower = *gameSprites->getAnimation(ANIM_BAR_LOWER + stage);
    g->setClip(barX, 0, barWidth, screenH);
    gameSprites->drawAnimation(g, ANIM_BAR_UPPER + stage, barX - upper.firstLeft,
                               barY - (upper.firstTop + upper.firstHeight), 0, 0, false);
    gameSprites->drawAnimation(g, ANIM_BAR_LOWER + stage, barX - lower.firstLeft,
                               barY + barHeight - lower.firstTop, 0, 0, false);
    g->setClip(0, 0, screenW, screenH);
    if (fill <= gameSprites->getAnimation(ANIM_INDICATOR_LOW)->firstWidth)
        return;
    const int32_t indicator = shown < limit / 3 ? ANIM_INDICATOR_LOW
        : shown < 2 * limit / 3 ? ANIM_INDICATOR_MIDDLE : ANIM_INDICATOR_HIGH;
    if (timeIndicatorFrame >= gameSprites->getAnimation(indicator)->frameCount())
        timeIndicatorFrame = 0;
    timeIndicatorFrame = gameSprites->drawAnimation(g, indicator, barX + fill, barY + barHeight,
                                                    timeIndicatorFrame, 0, false);
}

// "PTS_TO_WIN" with the points still needed, centred in the space under the board.
void GameScreen::paintPointsToGo(const DGraphicsPtr& g)
{
    if (!ptsText) {
        ptsText = new guilib::GUIText();
        if (GameContext::get().strings)
            ptsText->setStrings(GameContext::get().strings);
        ptsText->setFont(Fonts::get(Fonts::MENU));
        ptsText->setAlignment(PTS_ALIGN_VCENTER);
        ptsText->setTextKey(new DString(u"PTS_TO_WIN"));
        restShown = -1;
    }
    const int64_t owed = int64_t(game->levelStartScore) - game->score + game->pointsToWin;
    const int32_t rest = int32_t(std::max<int64_t>(0, std::min<int64_t>(owed, 0x7FFFFFFF)));
    // Setting a token drops the text's layout, so it is set only when the number changes.
    if (rest != restShown) {
        ptsText->putToken(new DString(u"%REST_SCORE%"), DInteger::toString(rest));
        restShown = rest;
    }
    const int32_t top = (borderH ? borderH->getHeight() : 0) + game->originY + game->boardPixelHeight;
    ptsText->paint(g, 0, top, game->screenWidth, game->screenHeight - top);
}

void GameScreen::paintParticles(const DGraphicsPtr& g)
{
    if (gameSprites->animationCount() <= ANIM_PARTICLE)
        return;
    for (Particle& particle : particles)
        if (particle.y <= game->screenHeight)
            particle.frame = gameSprites->drawAnimation(g, ANIM_PARTICLE, particle.x, particle.y,
                                                        particle.frame, 0, false);
}

void GameScreen::drawAt(const DGraphicsPtr& g, int32_t animation, int32_t x, int32_t y)
{
    if (animation >= 0 && animation < gameSprites->animationCount())
        gameSprites->drawAnimation(g, animation, x, y, 0, 0, false);
}

void GameScreen::drawAtCentre(const DGraphicsPtr& g, int32_t animation, int32_t cellX, int32_t cellY,
                              int32_t lift)
{
    const int32_t half = game->cellSize >> 1;
    drawAt(g, animation, game->originX + cellX * game->cellSize + half,
           game->originY + cellY * game->cellSize + half + lift);
}

// The score as digits, made again only when it changed; the end message's line with it.
const DStringPtr& GameScreen::scoreText()
{
    if (game->score != scoreShown || !scoreDigits) {
        scoreShown = game->score;
        scoreDigits = DInteger::toString(scoreShown);
        scoreLine = scorePrefix + scoreDigits;
    }
    return scoreDigits;
}

} // namespace tintrow
