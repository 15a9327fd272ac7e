// The application base class: running state, properties, its display and opening links.
#include "host/TestWindow.h"
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

TEST(MIDlet, RunsUntilNotifyDestroyedAndTheBaseHasNoProperties)
{
    DMIDletPtr app = new DMIDlet();
    EXPECT_NE(app->running, 0);
    EXPECT_TRUE(app->getAppProperty(new lang::DString(u"app.name")).isNull());
    EXPECT_TRUE(app->getAppProperty(nullptr).isNull());
    app->notifyDestroyed();
    EXPECT_EQ(app->running, 0);
}

TEST(MIDlet, TheDisplayBelongsToTheCurrentApplication)
{
    DMIDletPtr app = new DMIDlet();
    DMIDlet::setCurrent(app);
    TestWindow window(5, 4);
    {
        microedition::lcdui::DDisplayPtr display = new microedition::lcdui::DDisplay(&window);
        EXPECT_EQ(microedition::lcdui::DDisplay::getDisplay(app).get(), display.get());
    }
    app->display = nullptr;
    DMIDlet::setCurrent(nullptr);
    EXPECT_EQ(microedition::lcdui::DDisplay::instance(), nullptr) << "released with its last reference";
}

TEST(MIDlet, PlatformRequestPassesOnlyWebAndMailLinks)
{
    host::setUrlLauncher([](const std::string& url) { opened.push_back(url); });
    opened.clear();
    DMIDletPtr app = new DMIDlet();
    const char16_t* urls[] = {u"http://example.org/a", u"HTTPS://example.org", u"mailto:someone@example.org",
                              u"file:///etc/passwd", u"javascript:alert(1)", u"-v", u"", u"httpx://x"};
    for (const char16_t* url : urls)
        EXPECT_TRUE(app->platformRequest(new lang::DString(url)));
    EXPECT_TRUE(app->platformRequest(nullptr));
    host::setUrlLauncher(nullptr);
    EXPECT_EQ(opened, (std::vector<std::string>{"http://example.org/a", "HTTPS://example.org",
                                                "mailto:someone@example.org"}));
}

} // namespace
