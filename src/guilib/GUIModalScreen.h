// The screen of every menu and dialog: full screen, tappable soft-key labels, up/down focus.
#pragma once

#include <cstdint>

#include "guilib/GUIModalScreen.ptr"
#include "guilib/GUIWidget.h"

namespace guilib {

class GUIModalScreen : public GUIWidget {
public:
    explicit GUIModalScreen(int32_t id);
    ~GUIModalScreen() override;

    void dispose() override;

    GUIWidgetPtr leftSoftKey;
    GUIWidgetPtr rightSoftKey;
};

} // namespace guilib
