// Typed access to the child layers of a widget (library-internal).
#pragma once

#include "guilib/GUIWidget.h"
#include "util/DVector.h"

namespace guilib {

// The element is held by the vector, so a plain pointer stays valid while the list is not
// changed; callers that run handlers take a counted reference first.
inline GUIWidget* widgetAt(const vela::util::DVector& list, int32_t index)
{
    return static_cast<GUIWidget*>(list.elementAt(index).get());
}

} // namespace guilib
