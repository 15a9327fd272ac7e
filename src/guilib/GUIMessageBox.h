// A modal screen showing one scrollable markup text with a vertical scroll bar.
#pragma once

#include <cstdint>

#include "guilib/GUIMessageBox.ptr"
#include "guilib/GUIModalScreen.h"
#include "guilib/GUIVScrollBar.h"

namespace guilib {

class GUIMessageBox : public GUIModalScreen {
public:
    explicit GUIMessageBox(int32_t id);
    ~GUIMessageBox() override;

    GUIWidgetPtr textArea;
    GUIVScrollBarPtr scrollBar;
};

} // namespace guilib
