// The window's icon, which the data generator keeps in the game's archive.
#pragma once

namespace host {
class Window;
}

// Leaves the window's icon as it is when the archive or the picture cannot be read.
void setWindowIcon(host::Window& window);
