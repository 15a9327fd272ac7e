// A horizontal value bar (sound and music volumes): keys, taps and drags set its value.
#pragma once

#include <cstdint>

#include "guilib/GUISlider.ptr"
#include "guilib/GUIWidget.h"

namespace guilib {

class GUISlider : public GUIWidget {
public:
    explicit GUISlider(int32_t id);

    void paintClientBackground(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w,
                               int32_t h) override;
    void paintText(const DGraphicsPtr& g, int32_t x, int32_t y, int32_t w, int32_t h) override;

    // Snaps, clamps and announces a change once; ignored unless the slider is enabled.
    void setValue(int32_t v);
    int32_t getValue() const { return value; }
    void setMinimum(int32_t v);
    void setMaximum(int32_t v);
    void setStep(int32_t s) { step = s; }
    void setBarOnlyWhenFocused(bool on) { barOnlyWhenFocused = on; }
    void setShowText(bool on) { showText = on; }
    void setSnapToStep(bool on) { snapToStep = on; }
    void setBarRectId(int32_t rectId) { barRectId = rectId; }
    void decrement() { setValue(value - step); }
    void increment() { setValue(value + step); }
    GUIRect getBarRect(bool onScreen) const;

    int32_t minimum = 0;
    int32_t maximum = 100;
    int32_t value = 0;
    int32_t step = 1;
    bool barOnlyWhenFocused = false;
    bool showText = true;
    bool snapToStep = true;
    int32_t barRectId = 0;

private:
    void onPointer(int32_t event, int32_t px, int32_t py);
    static void decrementCallback(GUIAction& action);
    static void incrementCallback(GUIAction& action);
    static void pointerCallback(GUIAction& action);
};

} // namespace guilib
