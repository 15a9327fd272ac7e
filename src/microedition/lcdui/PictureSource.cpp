// Finding an image by name: the program's folder first, then the archive.
#include "microedition/lcdui/PictureSource.h"

#include "host/PictureDecoder.h"
#include "io/D7zipInputStream.h"
#include "io/HostPaths.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DSystem.h"
#include "microedition/midlet/DMIDlet.h"

#include <string>

namespace vela::microedition::lcdui {

namespace {

bool decodeStream(const io::D7zipInputStreamPtr& in, host::Surface& out)
{
    int32_t size = in->available();
    lang::DbyteArrayPtr bytes = new lang::DbyteArray(size);
    if (size > 0 && in->read(bytes, 0, size) != size)
        return false;
    std::string error;
    return host::decodePicture(reinterpret_cast<const uint8_t*>(bytes->data()), size_t(size), out, error);
}

// The member under "image.path" when the application names one and the archive holds it,
// else the member of the plain name.
bool loadFromArchive(const lang::DStringPtr& name, host::Surface& out)
{
    lang::DStringPtr prefix;
    if (midlet::DMIDletPtr app = midlet::DMIDlet::getCurrent())
        prefix = app->getAppProperty(new lang::DString(u"image.path"));
    io::D7zipInputStreamPtr in;
    if (prefix && prefix->length() > 0)
        lang::catchKind(lang::IOException, [&] { in = new io::D7zipInputStream(prefix + name); });
    if (!in)
        in = new io::D7zipInputStream(name);
    return decodeStream(in, out);
}

} // namespace

host::Surface loadPicture(const lang::DStringPtr& name)
{
    std::string hostName = io::toHostSeparators(name->toUtf8());
    std::string error;
    host::Surface picture;
    lang::DStringPtr folder = lang::DSystem::getProperty(u"app.fullpath");
    if (folder && host::loadPictureFile(io::joinPath(folder->toUtf8(), hostName), picture, error))
        return picture;
    if (!loadFromArchive(name, picture))
        lang::throwException(lang::IOException);
    return picture;
}

} // namespace vela::microedition::lcdui
