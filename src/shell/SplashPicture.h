// The start-up picture (bitmap 101), embedded in the program.
#pragma once

#include "host/Surface.h"

// Draws the picture centred on the surface.
void drawSplashPicture(host::Surface& screen);
