// Finding the game's resources: the search path, data streams, single images, resolution files.
#pragma once

#include "io/DInputStream.ptr"
#include "lang/DString.h"
#include "microedition/lcdui/DImage.ptr"

namespace gamelib {

class Resources {
public:
    // Folder prefixes, each ending in "/"; one empty prefix until the resolution file sets it.
    static vela::lang::DStringArrayPtr searchPath();
    static void setSearchPath(const vela::lang::DStringArrayPtr& prefixes);
    // Sets the search path from a ";"-separated list, appending "/" where it is missing.
    static void setSearchPath(const vela::lang::DStringPtr& list);

    // The archive member first (bare name, then each prefix), else a plain file under the
    // same names; null when nothing opens. A leading "/" of the name is ignored.
    static vela::io::DInputStreamPtr openResource(const vela::lang::DStringPtr& name);
    static vela::io::DInputStreamPtr openResource(const char16_t* name);

    // The image lookup: bare name, then each prefix, each as ".png" then ".jpg"; the first
    // that opens and decodes is returned. Null when none does.
    static vela::microedition::lcdui::DImagePtr loadImage(const vela::lang::DStringPtr& name);
    static vela::microedition::lcdui::DImagePtr loadImage(const char16_t* name);

    static bool archiveHolds(const vela::lang::DStringPtr& name);
    // "/WxH.dat": the settings of one supported screen size.
    static vela::lang::DStringPtr resolutionFileName(int32_t width, int32_t height);
    static bool isResolutionSupported(int32_t width, int32_t height);
};

} // namespace gamelib
