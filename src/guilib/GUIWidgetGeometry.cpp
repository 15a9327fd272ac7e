// Widget placement with anchors, bounds and client area, coordinate conversions, scrolling.
#include <algorithm>
#include <cstdlib>

#include "guilib/GUIEngine.h"
#include "guilib/GUIText.h"
#include "guilib/GUIWidget.h"
#include "guilib/GUIWidgetChildren.h"
#include "util/DVector.h"

namespace guilib {

static int32_t screenWidth()
{
    return GUIEngine::getInstance()->getScreenWidth();
}

static int32_t screenHeight()
{
    return GUIEngine::getInstance()->getScreenHeight();
}

GUIPoint GUIWidget::positionInContainer(bool scrolled) const
{
    const GUIWidget& w = *this;
    int32_t cw, ch;
    int32_t x = w.boundsX;
    int32_t y = w.boundsY;
    const GUIWidget* p = w.parent.get();
    if (!p) {
        cw = screenWidth();
        ch = screenHeight();
    } else if (w.layer == 0) {
        cw = p->clientWidth;
        ch = p->clientHeight;
        if (scrolled) {
            x -= p->scrollX;
            y -= p->scrollY;
        }
    } else {
        cw = p->boundsWidth;
        ch = p->boundsHeight;
    }
    x += anchorOffsetX(w.parentAnchor, cw) - anchorOffsetX(w.selfAnchor, w.boundsWidth);
    y += anchorOffsetY(w.parentAnchor, ch) - anchorOffsetY(w.selfAnchor, w.boundsHeight);
    return { x, y };
}

GUIPoint GUIWidget::positionInParent(bool scrolled) const
{
    GUIPoint p = positionInContainer(scrolled);
    if (parent && layer == 0) {
        p.x += parent->clientX;
        p.y += parent->clientY;
    }
    return p;
}

GUIPoint GUIWidget::widgetToParent(GUIPoint p, bool scrolled) const
{
    GUIPoint o = positionInParent(scrolled);
    return { p.x + o.x, p.y + o.y };
}

GUIPoint GUIWidget::widgetToScreen(GUIPoint p) const
{
    for (const GUIWidget* w = this; w; w = w->parent.get())
        p = w->widgetToParent(p, true);
    return p;
}

GUIPoint GUIWidget::clientToScreen(GUIPoint p) const
{
    return widgetToScreen(GUIPoint{ p.x + clientX, p.y + clientY });
}

GUIPoint GUIWidget::screenToClient(GUIPoint p) const
{
    GUIPoint o = clientToScreen(GUIPoint{ 0, 0 });
    return { p.x - o.x, p.y - o.y };
}

GUIRect GUIWidget::widgetToParent(const GUIRect& r, bool scrolled) const
{
    GUIPoint p = widgetToParent(GUIPoint{ r.x, r.y }, scrolled);
    return { p.x, p.y, r.width, r.height };
}

GUIRect GUIWidget::widgetToScreen(const GUIRect& r) const
{
    GUIPoint p = widgetToScreen(GUIPoint{ r.x, r.y });
    return { p.x, p.y, r.width, r.height };
}

GUIRect GUIWidget::clientToScreen(const GUIRect& r) const
{
    GUIPoint p = clientToScreen(GUIPoint{ r.x, r.y });
    return { p.x, p.y, r.width, r.height };
}

GUIRect GUIWidget::screenToClient(const GUIRect& r) const
{
    GUIPoint p = screenToClient(GUIPoint{ r.x, r.y });
    return { p.x, p.y, r.width, r.height };
}

void GUIWidget::setBounds(int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (x == boundsX && y == boundsY && w == boundsWidth && h == boundsHeight)
        return;
    // The client area keeps its distances to the right and bottom edges.
    int32_t right = boundsWidth - clientX - clientWidth;
    int32_t bottom = boundsHeight - clientY - clientHeight;
    int32_t newClientWidth = w - clientX - right;
    int32_t newClientHeight = h - clientY - bottom;
    boundsX = x;
    boundsY = y;
    boundsWidth = w;
    boundsHeight = h;
    handleEvent(EVENT_BOUNDS_CHANGED, false, nullptr, 0);
    setClientRect(clientX, clientY, newClientWidth, newClientHeight, false);
}

void GUIWidget::setPosition(int32_t x, int32_t y)
{
    setBounds(x, y, boundsWidth, boundsHeight);
}

void GUIWidget::setSize(int32_t w, int32_t h)
{
    setBounds(boundsX, boundsY, w, h);
}

void GUIWidget::setFullScreen()
{
    setBounds(0, 0, screenWidth(), screenHeight());
}

void GUIWidget::setClientRect(int32_t x, int32_t y, int32_t w, int32_t h, bool growBounds)
{
    if (!growBounds) {
        if (x + w >= boundsWidth)
            w = boundsWidth - x;
        if (y + h >= boundsHeight)
            h = boundsHeight - y;
        clientX = x;
        clientY = y;
        clientWidth = w;
        clientHeight = h;
        return;
    }
    int32_t right = boundsWidth - clientX - clientWidth;
    int32_t bottom = boundsHeight - clientY - clientHeight;
    int32_t newWidth = x + w + right;
    int32_t newHeight = y + h + bottom;
    clientX = x;
    clientY = y;
    clientWidth = w;
    clientHeight = h;
    if (newWidth != boundsWidth || newHeight != boundsHeight) {
        boundsWidth = newWidth;
        boundsHeight = newHeight;
        handleEvent(EVENT_BOUNDS_CHANGED, false, nullptr, 0);
    }
}

GUIRect GUIWidget::getBounds()
{
    validate();
    return { boundsX, boundsY, boundsWidth, boundsHeight };
}

void GUIWidget::setInsets(int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    insetLeft = left;
    insetTop = top;
    insetRight = right;
    insetBottom = bottom;
}

void GUIWidget::setAnchors(int32_t parentAnchorFlags, int32_t selfAnchorFlags)
{
    parentAnchor = parentAnchorFlags;
    selfAnchor = selfAnchorFlags;
}

void GUIWidget::setScrollable(bool x, bool y)
{
    scrollableX = x;
    scrollableY = y;
}

void GUIWidget::computeContentRect()
{
    // Starts as the client origin, so the content always contains it.
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    const vela::util::DVector& list = *children->get(0);
    for (int32_t i = list.size() - 1; i >= 0; --i) {
        const GUIWidget* child = widgetAt(list, i);
        if (child->boundsWidth <= 0 || child->boundsHeight <= 0)
            continue;
        GUIPoint p = child->positionInContainer(false);
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x + child->boundsWidth);
        bottom = std::max(bottom, p.y + child->boundsHeight);
    }
    contentX = left;
    contentY = top;
    contentWidth = right - left;
    contentHeight = bottom - top;
    if (text)
        contentHeight = std::max(contentHeight, text->getHeight(clientWidth));
    contentX -= insetLeft;
    contentY -= insetTop;
    contentWidth += insetLeft + insetRight;
    contentHeight += insetTop + insetBottom;
}

GUIRect GUIWidget::getContentRect()
{
    if (contentWidth <= 0 || contentHeight <= 0)
        computeContentRect();
    return { contentX, contentY, contentWidth, contentHeight };
}

int32_t GUIWidget::clampX(int32_t v)
{
    getContentRect();
    if (v < contentX)
        return contentX;
    return std::min(v, contentX + contentWidth - clientWidth);
}

int32_t GUIWidget::clampY(int32_t v)
{
    getContentRect();
    if (v < contentY)
        return contentY;
    return std::min(v, contentY + contentHeight - clientHeight);
}

void GUIWidget::scrollUp(int32_t step)
{
    if (step == 0)
        step = screenHeight() >> 3;
    scrollTargetY = scrollY < scrollTargetY ? scrollTargetY - step : scrollY - step;
}

void GUIWidget::scrollDown(int32_t step)
{
    if (step == 0)
        step = screenHeight() >> 3;
    scrollTargetY = scrollTargetY < scrollY ? scrollTargetY + step : scrollY + step;
}

void GUIWidget::scrollLeft(int32_t step)
{
    if (step == 0)
        step = screenWidth() >> 3;
    scrollTargetX = scrollX < scrollTargetX ? scrollTargetX - step : scrollX - step;
}

void GUIWidget::scrollRight(int32_t step)
{
    if (step == 0)
        step = screenWidth() >> 3;
    scrollTargetX = scrollTargetX < scrollX ? scrollTargetX + step : scrollX + step;
}

void GUIWidget::scrollToTop()
{
    scrollTargetY = contentY;
}

void GUIWidget::scrollToBottom()
{
    scrollTargetY = contentY + contentHeight - clientHeight;
}

void GUIWidget::scrollToLeftEnd()
{
    scrollTargetX = contentX;
}

void GUIWidget::scrollToRightEnd()
{
    scrollTargetX = contentX + contentWidth - clientWidth;
}

void GUIWidget::setScrollTarget(int32_t x, int32_t y)
{
    scrollTargetX = x;
    scrollTargetY = y;
}

void GUIWidget::setScrollPosition(int32_t x, int32_t y)
{
    scrollX = x;
    scrollY = y;
}

// One step of one axis toward its target: an eighth of the way (at least 1) while the
// distance is below three quarters of the client size, else straight there.
static int32_t stepToward(int32_t position, int32_t target, int32_t clampedTarget, int32_t size)
{
    int32_t d = std::abs(clampedTarget - position);
    if (d >= (size >> 2) + (size >> 1))
        return target;
    int32_t step = std::max(d >> 3, 1);
    return position > target ? position - step : position + step;
}

void GUIWidget::smoothScrollStep()
{
    int32_t oldX = scrollX;
    int32_t oldY = scrollY;
    if (scrollableX && scrollX != scrollTargetX)
        scrollX = clampX(stepToward(scrollX, scrollTargetX, clampX(scrollTargetX), clientWidth));
    if (scrollableY && scrollY != scrollTargetY)
        scrollY =
            clampY(stepToward(scrollY, scrollTargetY, clampY(scrollTargetY), clientHeight));
    if (scrollX != oldX || scrollY != oldY) {
        handleEvent(EVENT_SCROLLED, false, nullptr, 0);
    } else {
        scrollTargetY = clampY(scrollTargetY);
        scrollTargetX = clampX(scrollTargetX);
    }
}

void GUIWidget::scrollFocusedIntoView()
{
    if (!focusedChild)
        return;
    const GUIWidget& child = *focusedChild;
    GUIPoint c = child.positionInParent(true);
    GUIRect childRect = { c.x, c.y, child.boundsWidth, child.boundsHeight };
    GUIRect visible = { clientX + insetLeft, clientY + insetTop,
                        clientWidth - insetLeft - insetRight,
                        clientHeight - insetTop - insetBottom };
    if (visible.containsRect(childRect))
        return;
    int32_t px = childRect.x + (childRect.width >> 1) - (clientWidth >> 1);
    int32_t py = childRect.y + (childRect.height >> 1) - (clientHeight >> 1);
    setScrollTarget(px - clientX + scrollX, py - clientY + scrollY);
}

} // namespace guilib
