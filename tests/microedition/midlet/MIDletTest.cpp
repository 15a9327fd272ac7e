// The application base class opens web and mail links only.
#include "host/UrlOpener.h"
#include "lang/DString.h"
#include "microedition/lcdui/DDisplay.h"
#include "microedition/midlet/DMIDlet.h"

#include <gtest/gtest.h>

using namespace vela;
using vela::microedition::midlet::DMIDlet;
using vela::microedition::midlet::DMIDletPtr;

namespace {

std::vector<std::string> opened;

TEST(MIDlet, PlatformRequestPassesOnlyWebAndMailLinks)
{
    host::setUrlLauncher([](const std::string& url) { opened.push_back(url); });
    DMIDletPtr app = new DMIDlet();
    for (const char16_t* url : {u"http://example.org/a", u"HTTPS://example.org", u"mailto:someone@example.org",
                                u"file:///etc/passwd", u"javascript:alert(1)", u"-v", u"", u"httpx://x"})
        EXPECT_TRUE(app->platformRequest(new lang::DString(url)));
    EXPECT_TRUE(app->platformRequest(nullptr));
    host::setUrlLauncher(nullptr);
    EXPECT_EQ(opened, (std::vector<std::string>{"http://example.org/a", "HTTPS://example.org",
                                                "mailto:someone@example.org"}));
}

} // namespace
