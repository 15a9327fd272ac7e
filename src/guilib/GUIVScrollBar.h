// A vertical scroll bar: two arrow buttons, a track and a thumb bound to a scrolled widget.
#pragma once

#include <cstdint>

#include "guilib/GUIVScrollBar.ptr"
#include "guilib/GUIWidget.h"

namespace guilib {

class GUIVScrollBar : public GUIWidget {
public:
    // Page steps of 0 become half the scrolled widget's client height; arrow steps of 0 an
    // eighth of the screen height.
    GUIVScrollBar(const GUIWidgetPtr& scrolled, int32_t pageUpStep, int32_t pageDownStep,
                  int32_t upStep, int32_t downStep, int32_t id);
    ~GUIVScrollBar() override;

    void tick() override;
    void dispose() override;

    GUIWidgetPtr upButton;
    GUIWidgetPtr downButton;
    GUIWidgetPtr track;
    GUIWidgetPtr thumb;
};

} // namespace guilib
