// Where resources are found: the archive before plain files, the bare name before the search path.
#include "GameLibTestSupport.h"

#include "gamelib/Resources.h"
#include "io/DInputStream.h"
#include "lang/DString.h"
#include "support/Files.h"

using namespace vela::lang;
using namespace gamelib;

namespace {

// The bytes openResource yields for a name, "<none>" when nothing opens.
std::string open(const char16_t* name)
{
    vela::io::DInputStreamPtr in = Resources::openResource(name);
    if (!in)
        return "<none>";
    DbyteArrayPtr buffer = new DbyteArray(64);
    std::string bytes;
    for (int32_t n = in->read(buffer, 0, 64); n > 0; n = in->read(buffer, 0, 64))
        bytes.append(reinterpret_cast<const char*>(buffer->data()), size_t(n));
    return bytes;
}

}

TEST(Resources, TheArchiveComesBeforePlainFilesAndTheBareNameBeforeThePath)
{
    TestResources resources;
    resources.openArchive({{"a.dat", "archive bare"}, {"p1/a.dat", "archive p1"}, {"p2/b.dat", "archive p2"}});
    for (auto [file, bytes] : {std::pair{"b.dat", "file bare"}, {"p1/c.dat", "file p1"}, {"p2/c.dat", "file p2"}})
        support::writeFile(resources.folder() + "/" + file, std::string(bytes));
    Resources::setSearchPath(DStringPtr(new DString(u"p1;p2/;")));
    EXPECT_EQ("p2/", Resources::searchPath()->get(1)->toUtf8()) << "every part ends with a slash";
    EXPECT_EQ("archive bare", open(u"/a.dat"));
    EXPECT_EQ("archive p2", open(u"b.dat"));
    EXPECT_EQ("file p1", open(u"c.dat"));
    EXPECT_EQ("<none>", open(u"d.dat"));
}

