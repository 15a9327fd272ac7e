// The window's icon, read from the game's archive before the application opens it for itself.
#include "shell/WindowIcon.h"

#include "host/PictureDecoder.h"
#include "host/Window.h"
#include "io/DArchive.h"
#include "lang/DExceptionBase.h"
#include "lang/DString.h"
#include "lang/DSystem.h"

namespace {

const char ICON_MEMBER[] = "icon.png";

} // namespace

void setWindowIcon(host::Window& window)
{
    using namespace vela;
    lang::DbyteArrayPtr png;
    lang::catchKind(lang::Exception, [&] {
        io::openArchive(lang::DSystem::getProperty(u"archive.name"));
        png = io::readArchiveMember(ICON_MEMBER);
    });
    io::closeArchive();
    host::RgbaPicture icon;
    std::string error;
    if (png && host::decodePng(reinterpret_cast<const uint8_t*>(png->data()), size_t(png->length()), icon, error))
        window.setIcon(icon);
}
