// Finding the game's resources along the search path.
#include "gamelib/Resources.h"

#include "gamelib/StringManager.h"
#include "io/D7zipInputStream.h"
#include "io/DArchive.h"
#include "io/DFileInputStream.h"
#include "lang/DExceptionBase.h"
#include "lang/DInteger.h"
#include "microedition/lcdui/DImage.h"

using namespace vela::lang;
using vela::io::DInputStreamPtr;
using vela::microedition::lcdui::DImage;
using vela::microedition::lcdui::DImagePtr;

namespace gamelib {

namespace {

DStringArrayPtr& prefixes()
{
    static DStringArrayPtr path;
    if (!path) {
        path = new DStringArray(1);
        path->set(0, new DString());
    }
    return path;
}

DStringPtr withoutLeadingSlash(const DStringPtr& name)
{
    return name->length() > 0 && name->charAt(0) == u'/' ? name->substring(1) : name;
}

// Candidate i: the bare name for 0, else prefix i - 1 followed by the name.
DStringPtr candidate(const DStringPtr& name, int32_t i)
{
    return i == 0 ? name : prefixes()[i - 1] + name;
}

int32_t candidateCount()
{
    return prefixes()->length() + 1;
}

DInputStreamPtr openFile(const DStringPtr& name)
{
    DInputStreamPtr stream;
    catchKind(IOException, [&] {
        stream = new vela::io::DFileInputStream(name->length() > 0 && name->charAt(0) == u'/'
                ? name
                : u"/" + name);
    });
    return stream;
}

}

DStringArrayPtr Resources::searchPath()
{
    return prefixes();
}

void Resources::setSearchPath(const DStringArrayPtr& path)
{
    prefixes() = path;
}

void Resources::setSearchPath(const DStringPtr& list)
{
    DStringArrayPtr parts = StringManager::split(list, u';');
    for (int32_t i = parts->length() - 1; i >= 0; --i) {
        DStringPtr part = parts->get(i);
        if (!part->endsWith(new DString(u"/")))
            parts->set(i, part + u"/");
    }
    setSearchPath(parts);
}

bool Resources::archiveHolds(const DStringPtr& name)
{
    return !catchKind(IOException,
        [&name] { vela::io::readArchiveMember(vela::io::D7zipInputStream::memberKey(name)); });
}

DInputStreamPtr Resources::openResource(const DStringPtr& fullName)
{
    DStringPtr name = withoutLeadingSlash(fullName);
    for (int32_t i = 0; i < candidateCount(); ++i) {
        DInputStreamPtr stream;
        catchKind(IOException, [&] { stream = new vela::io::D7zipInputStream(candidate(name, i)); });
        if (stream)
            return stream;
    }
    for (int32_t i = 0; i < candidateCount(); ++i) {
        DInputStreamPtr stream = openFile(candidate(name, i));
        if (stream)
            return stream;
    }
    return nullptr;
}

DInputStreamPtr Resources::openResource(const char16_t* name)
{
    return openResource(DStringPtr(new DString(name)));
}

DImagePtr Resources::loadImage(const DStringPtr& fullName)
{
    static const char16_t* const extensions[] = {u".png", u".jpg"};
    DStringPtr name = withoutLeadingSlash(fullName);
    for (int32_t i = 0; i < candidateCount(); ++i) {
        for (const char16_t* extension : extensions) {
            DImagePtr image;
            catchKind(IOException, [&] { image = DImage::createImage(candidate(name, i) + extension); });
            if (image)
                return image;
        }
    }
    return nullptr;
}

DImagePtr Resources::loadImage(const char16_t* name)
{
    return loadImage(DStringPtr(new DString(name)));
}

DStringPtr Resources::resolutionFileName(int32_t width, int32_t height)
{
    return (u"/" + DInteger::toString(width)) + u"x" + height + u".dat";
}

bool Resources::isResolutionSupported(int32_t width, int32_t height)
{
    return archiveHolds(withoutLeadingSlash(resolutionFileName(width, height)));
}

} // namespace gamelib
