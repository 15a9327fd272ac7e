// Where resources are found: archive before files, bare name before prefixes, .png before .jpg.
#include "GameLibTestSupport.h"

#include "gamelib/Resources.h"
#include "io/DInputStream.h"
#include "lang/DString.h"
#include "microedition/lcdui/DImage.h"

using namespace vela::lang;
using namespace gamelib;
using vela::microedition::lcdui::DImagePtr;

namespace {

std::string readAll(const vela::io::DInputStreamPtr& in)
{
    DbyteArrayPtr buffer = new DbyteArray(64);
    std::string bytes;
    for (int32_t n = in->read(buffer, 0, 64); n > 0; n = in->read(buffer, 0, 64))
        bytes.append(reinterpret_cast<const char*>(buffer->data()), size_t(n));
    return bytes;
}

// What openResource yields for a name, "<none>" when nothing opens.
std::string open(const char16_t* name)
{
    vela::io::DInputStreamPtr in = Resources::openResource(name);
    return in ? readAll(in) : "<none>";
}

// An image's width tells which candidate was found.
int widthOf(const char16_t* name)
{
    DImagePtr image = Resources::loadImage(name);
    return image ? image->getWidth() : 0;
}

}

TEST(Resources, OpenResourceSearchesTheArchiveThenPlainFiles)
{
    TestResources resources;
    resources.openArchive({{"a.dat", "archive bare"}, {"p1/a.dat", "archive p1"}, {"p2/b.dat", "archive p2"}});
    resources.writeFile("b.dat", "file bare");
    resources.writeFile("p1/c.dat", "file p1");
    resources.writeFile("p2/c.dat", "file p2");
    Resources::setSearchPath(DStringPtr(new DString(u"p1;p2/")));
    EXPECT_EQ("archive bare", open(u"a.dat"));
    EXPECT_EQ("archive bare", open(u"/a.dat"));
    EXPECT_EQ("archive p2", open(u"b.dat"));
    EXPECT_EQ("file p1", open(u"c.dat"));
    EXPECT_EQ("<none>", open(u"d.dat"));
}

TEST(Resources, SearchPathPartsGetATrailingSlash)
{
    Resources::setSearchPath(DStringPtr(new DString(u"img;snd/;")));
    DStringArrayPtr path = Resources::searchPath();
    ASSERT_EQ(3, path->length());
    EXPECT_EQ("img/", path->get(0)->toUtf8());
    EXPECT_EQ("snd/", path->get(1)->toUtf8());
    EXPECT_EQ("/", path->get(2)->toUtf8());
    Resources::setSearchPath(DStringPtr(new DString()));
}

TEST(Resources, ImageLookupOrder)
{
    TestResources resources;
    // The picture decoder reads PNG bytes whatever the name says, so sizes mark the members.
    resources.openArchive({
        {"both.png", filledPng(1, 1, 0)}, {"both.jpg", filledPng(2, 1, 0)},
        {"jpg.jpg", filledPng(3, 1, 0)}, {"img/jpg.png", filledPng(4, 1, 0)},
        {"img/deep.png", filledPng(5, 1, 0)}, {"broken.png", "not a picture"},
        {"img/broken.png", filledPng(6, 1, 0)},
    });
    Resources::setSearchPath(DStringPtr(new DString(u"img/")));
    EXPECT_EQ(1, widthOf(u"both"));
    EXPECT_EQ(3, widthOf(u"jpg"));
    EXPECT_EQ(5, widthOf(u"deep"));
    EXPECT_EQ(5, widthOf(u"/deep"));
    EXPECT_EQ(6, widthOf(u"broken"));
    EXPECT_EQ(0, widthOf(u"none"));
}
