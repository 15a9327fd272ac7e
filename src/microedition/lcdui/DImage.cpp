// Images: creation from pictures and blank mutable images.
#include "microedition/lcdui/DImage.h"

#include "host/PictureDecoder.h"
#include "microedition/lcdui/DGraphics.h"
#include "microedition/lcdui/PictureSource.h"

#include "lang/DExceptionBase.h"
#include "lang/DString.h"

namespace vela::microedition::lcdui {

DImage::DImage(host::Surface surface) : pixels(std::move(surface)) {}

DImage::~DImage() = default;

DImagePtr DImage::createImage(lang::DStringPtr name)
{
    return createImage(name, TRANS_NONE);
}

DImagePtr DImage::createImage(lang::DStringPtr name, int32_t transform)
{
    host::Surface picture = loadPicture(name);
    if (transform != TRANS_NONE)
        picture = host::transformed(picture, transform);
    return new DImage(std::move(picture));
}

DImagePtr DImage::createImage(DImagePtr source, int32_t transform)
{
    return new DImage(host::transformed(source->pixels, transform));
}

DImagePtr DImage::createImage(int32_t w, int32_t h)
{
    if (w < 1 || h < 1 || (long long)w * h > host::MAX_PICTURE_PIXELS)
        lang::throwException(lang::IllegalArgumentException);
    return new DImage(host::Surface(w, h, 0xFFFF));
}

DGraphicsPtr DImage::getGraphics()
{
    return new DGraphics(&pixels, this);
}

} // namespace vela::microedition::lcdui
