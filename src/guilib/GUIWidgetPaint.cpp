// Painting of a widget: backgrounds, clipped client with text and children, border pieces.
#include "guilib/GUIAnimation.h"
#include "guilib/GUIEngine.h"
#include "guilib/GUIText.h"
#include "guilib/GUIWidget.h"
#include "guilib/GUIWidgetChildren.h"
#include "microedition/lcdui/DGraphics.h"
#include "util/DVector.h"

namespace guilib {

namespace {

// The clip of a graphics context, put back when the scope ends.
class SavedClip {
public:
    explicit SavedClip(const DGraphicsPtr& g)
        : g(g), x(g->getClipX()), y(g->getClipY()), w(g->getClipWidth()), h(g->getClipHeight())
    {
    }
    ~SavedClip() { restore(); }
    void restore() { g->setClip(x, y, w, h); }

private:
    const DGraphicsPtr& g;
    int32_t x, y, w, h;
};

} // namespace

void GUIWidget::paintClientBackground(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w,
                                      int32_t h)
{
    if (GUIAnimationPtr look = getLook(PART_CLIENT_BACKGROUND))
        look->drawTiled(g, x, y, w, h, false);
}

void GUIWidget::paintBackground(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w,
                                int32_t h)
{
    if (GUIAnimationPtr look = getLook(PART_BACKGROUND))
        look->drawTiled(g, x, y, w, h, false);
}

// First-frame offset and all-frame size of a corner; an absent corner counts as 0.
struct CornerMetrics {
    int32_t left = 0, top = 0, width = 0, height = 0;
};

static CornerMetrics cornerMetrics(const GUIAnimationPtr& look)
{
    CornerMetrics m;
    if (look) {
        GUIPoint offset = look->getFrameOffset();
        GUIPoint size = look->getBoundsSize();
        m = { offset.x, offset.y, size.x, size.y };
    }
    return m;
}

void GUIWidget::paintBorder(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h)
{
    CornerMetrics tl = cornerMetrics(getLook(PART_TOP_LEFT));
    CornerMetrics tr = cornerMetrics(getLook(PART_TOP_RIGHT));
    CornerMetrics bl = cornerMetrics(getLook(PART_BOTTOM_LEFT));
    CornerMetrics br = cornerMetrics(getLook(PART_BOTTOM_RIGHT));
    if (GUIAnimationPtr top = getLook(PART_TOP)) {
        int32_t a = tl.left + tl.width;
        top->drawTiled(g, x + a, y, w - a + tr.left, top->getBoundsSize().y, true);
    }
    if (GUIAnimationPtr bottom = getLook(PART_BOTTOM)) {
        int32_t a = bl.left + bl.width;
        bottom->drawTiled(g, x + a, y + h, w - a + br.left, bottom->getBoundsSize().y, true);
    }
    if (GUIAnimationPtr left = getLook(PART_LEFT)) {
        int32_t a = tl.top + tl.height;
        left->drawTiled(g, x, y + a, left->getBoundsSize().x, h - a + bl.top, true);
    }
    if (GUIAnimationPtr right = getLook(PART_RIGHT)) {
        int32_t a = tr.top + tr.height;
        right->drawTiled(g, x + w, y + a, right->getBoundsSize().x, h - a + br.top, true);
    }
    static const int32_t cornerParts[4] = { PART_TOP_LEFT, PART_TOP_RIGHT, PART_BOTTOM_LEFT,
                                            PART_BOTTOM_RIGHT };
    for (int32_t part : cornerParts)
        if (GUIAnimationPtr corner = getLook(part))
            corner->drawAndAdvance(g, (part & 1) ? x + w : x, (part & 2) ? y + h : y, true);
}

GUIRect GUIWidget::textRect(const GUIRect& client) const
{
    if (GUIAnimationPtr look = getLook(PART_CLIENT_BACKGROUND)) {
        GUIRect r = look->getFrameRect(textRectId);
        if (r.width > 0 && r.height > 0)
            return { client.x + r.x, client.y + r.y, r.width, r.height };
    }
    return client;
}

void GUIWidget::paintText(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (!text)
        return;
    GUIRect r = textRect(GUIRect{ x, y, w, h });
    SavedClip saved(g);
    g->clipRect(r.x, r.y, r.width, r.height);
    text->paint(g, r.x - scrollX, r.y - scrollY, r.width, r.height);
}

void GUIWidget::paintLayer(const DGraphicsPtr& g, int32_t layerIndex, const GUIRect& origin)
{
    vela::util::DVectorPtr list = children->get(layerIndex);
    for (int32_t i = 0; i < list->size(); ++i) {
        GUIWidgetPtr child = widgetAt(*list, i);
        child->paint(g, origin.x, origin.y, origin.width, origin.height);
    }
}

void GUIWidget::paint(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t, int32_t)
{
    if (!isVisibleOrRequested())
        return;
    GUIWidgetPtr self(this);
    if (!paintHook || !paintHook(*this, g)) {
        SavedClip saved(g);
        validate();
        GUIPoint p = positionInContainer(true);
        GUIRect r = { x + p.x, y + p.y, boundsWidth, boundsHeight };
        GUIRect c = { r.x + clientX, r.y + clientY, clientWidth, clientHeight };
        GUIEngine& engine = *GUIEngine::getInstance();
        GUIRect screen = { 0, 0, engine.getScreenWidth(), engine.getScreenHeight() };
        if (r.intersects(screen)) {
            paintBackground(g, r.x, r.y, r.width, r.height);
            g->clipRect(c.x, c.y, c.width, c.height);
            if (g->getClipWidth() > 0 && g->getClipHeight() > 0) {
                paintClientBackground(g, c.x, c.y, c.width, c.height);
                paintText(g, c.x, c.y, c.width, c.height);
                paintLayer(g, 0, c);
            }
            saved.restore();
            paintBorder(g, c.x, c.y, c.width, c.height);
            paintLayer(g, 1, r);
        }
        checkPendingState();
    }
    if (postPaintHook)
        postPaintHook(*this, g);
}

void GUIWidget::paintOverlay(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t, int32_t)
{
    if ((state & STATE_VISIBLE) == 0)
        return;
    GUIPoint p = positionInContainer(true);
    paintLayer(g, 2, GUIRect{ x + p.x, y + p.y, boundsWidth, boundsHeight });
}

} // namespace guilib
