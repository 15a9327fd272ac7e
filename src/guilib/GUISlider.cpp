// The slider: snapping and clamping of values, pointer handling, bar and fill painting.
#include "guilib/GUISlider.h"

#include "guilib/GUIAnimation.h"
#include "microedition/lcdui/DGraphics.h"

namespace guilib {

GUISlider::GUISlider(int32_t id) : GUIWidget(id)
{
    setCallback(EVENT_LEFT, decrementCallback);
    setCallback(EVENT_RIGHT, incrementCallback);
    setCallback(EVENT_POINTER_PRESSED, pointerCallback);
    setCallback(EVENT_POINTER_HELD, pointerCallback);
}

static GUISlider* sliderOf(GUIAction& action)
{
    return dynamic_cast<GUISlider*>(action.source.get());
}

void GUISlider::decrementCallback(GUIAction& action)
{
    if (GUISlider* slider = sliderOf(action))
        slider->decrement();
}

void GUISlider::incrementCallback(GUIAction& action)
{
    if (GUISlider* slider = sliderOf(action))
        slider->increment();
}

void GUISlider::pointerCallback(GUIAction& action)
{
    if (GUISlider* slider = sliderOf(action))
        slider->onPointer(action.event, action.dataInt(0), action.dataInt(1));
}

void GUISlider::setValue(int32_t v)
{
    if (!hasState(STATE_ENABLED))
        return;
    if (snapToStep && step != 0) {
        int32_t r = v % step;
        if (r != 0) {
            v -= r;
            if (r > (step >> 1))
                v += step;
        }
    }
    if (v < minimum)
        v = minimum;
    if (v > maximum)
        v = maximum;
    if (v == value)
        return;
    value = v;
    int32_t announced = value;
    handleEvent(EVENT_VALUE_CHANGED, false, &announced, 4);
}

void GUISlider::setMinimum(int32_t v)
{
    if (v > maximum)
        return;
    minimum = v;
    if (value < v)
        setValue(value);
}

void GUISlider::setMaximum(int32_t v)
{
    if (v < minimum)
        return;
    maximum = v;
    if (value > v)
        setValue(value);
}

GUIRect GUISlider::getBarRect(bool onScreen) const
{
    GUIRect bar = getClientRect();
    if (GUIAnimationPtr look = getLook(PART_CLIENT_BACKGROUND)) {
        GUIRect r = look->getFrameRect(barRectId);
        if (r.width > 0 && r.height > 0)
            bar = { clientX + r.x, clientY + r.y, r.width, r.height };
    }
    if (onScreen)
        bar = widgetToScreen(bar);
    return bar;
}

void GUISlider::onPointer(int32_t event, int32_t px, int32_t py)
{
    if (!hasState(STATE_FOCUSED))
        return;
    GUIRect bar = getBarRect(false);
    if (event == EVENT_POINTER_HELD) {
        if (bar.contains(px, py) && bar.width > 0)
            setValue(minimum
                     + static_cast<int32_t>((static_cast<int64_t>(maximum - minimum)
                                             * (px - bar.x))
                                            / bar.width));
    } else if (event == EVENT_POINTER_PRESSED) {
        if (px < bar.x)
            decrement();
        else if (px > bar.x + bar.width)
            increment();
    }
}

void GUISlider::paintClientBackground(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w,
                                      int32_t h)
{
    GUIWidget::paintClientBackground(g, x, y, w, h);
    if (barOnlyWhenFocused && !hasState(STATE_FOCUSED))
        return;
    GUIAnimationPtr fill = getLook(PART_SLIDER_FILL);
    if (!fill || maximum == minimum)
        return;
    GUIRect bar = getBarRect(true);
    int32_t fillWidth = static_cast<int32_t>(
        (static_cast<int64_t>(value - minimum) * bar.width) / (maximum - minimum));
    int32_t cx = g->getClipX(), cy = g->getClipY();
    int32_t cw = g->getClipWidth(), ch = g->getClipHeight();
    g->clipRect(bar.x, bar.y, fillWidth, bar.height);
    fill->drawTiled(g, bar.x, bar.y, fillWidth, bar.height, false);
    g->setClip(cx, cy, cw, ch);
}

void GUISlider::paintText(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h)
{
    if (showText || (barOnlyWhenFocused && !hasState(STATE_FOCUSED)))
        GUIWidget::paintText(g, x, y, w, h);
}

} // namespace guilib
