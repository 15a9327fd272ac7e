// The application base class.
#include "microedition/midlet/DMIDlet.h"

#include "host/UrlOpener.h"
#include "lang/DString.h"
#include "microedition/lcdui/DDisplay.h"

namespace vela::microedition::midlet {

static DMIDletPtr& currentApp()
{
    static DMIDletPtr app;
    return app;
}

DMIDlet::~DMIDlet() = default;

void DMIDlet::destroyApp(bool) {}
void DMIDlet::pauseApp() {}
void DMIDlet::startApp() {}
void DMIDlet::tick() {}

lang::DStringPtr DMIDlet::getAppProperty(lang::DStringPtr)
{
    return nullptr;
}

bool DMIDlet::platformRequest(lang::DStringPtr url)
{
    if (url)
        host::openUrl(url->toUtf8());
    return true;
}

DMIDletPtr DMIDlet::getCurrent()
{
    return currentApp();
}

void DMIDlet::setCurrent(DMIDletPtr app)
{
    currentApp() = app;
}

} // namespace vela::microedition::midlet
