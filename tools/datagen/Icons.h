// The game's icon for the desktop and the window, drawn from its own ball art.
#pragma once

#include "Canvas.h"
#include "Members.h"

#include <string>

namespace datagen {

// The archive member the window's icon is read from.
inline constexpr char WINDOW_ICON_MEMBER[] = "icon.png";

Canvas appIcon(int size);
// The window's icon as a member of the archive.
void addWindowIcon(Members& m);
// <dir>/hicolor/<N>x<N>/apps/tintrow.png at every size desktops ask for.
void writeDesktopIcons(const std::string& dir);

}  // namespace datagen
