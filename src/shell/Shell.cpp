// The entry routine: reads the command line, installs the host services and runs the engine.
#include "shell/Shell.h"

#include "host/Clock.h"
#include "host/InstanceLock.h"
#include "host/Script.h"
#include "host/ScriptedWindow.h"
#include "host/SdlAudioDriver.h"
#include "host/Window.h"
#include "io/HostPaths.h"
#include "lang/DString.h"
#include "lang/HostHooks.h"
#include "microedition/media/DManager.h"
#include "microedition/midlet/DMIDlet.h"
#include "shell/CGameEngine.h"
#include "shell/CommandLine.h"
#include "shell/Usage.h"
#include "shell/WindowIcon.h"
#include "sound/hssMemoryDriver.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace vela;

namespace {

host::Clock* activeClock = nullptr;

uint64_t shellTicks()
{
    return activeClock->ticks();
}

void shellSleep(uint32_t millis)
{
    activeClock->sleep(millis);
}

// "app.name" of the running application places the record stores.
std::string applicationName()
{
    microedition::midlet::DMIDletPtr app = microedition::midlet::DMIDlet::getCurrent();
    if (!app)
        return "";
    lang::DStringPtr name = app->getAppProperty(new lang::DString(u"app.name"));
    return name ? name->toUtf8() : "";
}

// String 101: the window's title, which also names the data folder.
std::string title()
{
    return lang::DStringPtr(new lang::DString(CGameEngine::TITLE))->toUtf8();
}

// Scripted runs never touch a display or a sound device: the engine mixes into memory.
void useHeadlessDrivers()
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    microedition::media::DManager::setDriverFactory(hssCreateMemoryDriver);
    // Nothing reads the window's quit event in a scripted run: a signal ends it as it ends any
    // command, instead of turning into an event that waits for ever.
    setenv("SDL_NO_SIGNAL_HANDLERS", "1", 1);
}

int runEngine(host::Window& window, host::Clock& clock, const CommandLine& options,
    ApplicationFactory createApplication)
{
    activeClock = &clock;
    lang::host::setTickSource(shellTicks, shellSleep);
    lang::host::setPlatformType(options.smartphone ? u"SmartPhone" : u"PocketPC");
    io::setAppNameSource(applicationName);
    int status;
    {
        CGameEngine engine(createApplication);
        status = engine.run(window, clock, options.smartphone);
    }
    lang::host::setTickSource(nullptr);
    activeClock = nullptr;
    return status;
}

int runScripted(const CommandLine& options, ApplicationFactory createApplication)
{
    std::vector<host::ScriptCommand> script;
    std::string error;
    if (!host::loadScript(options.script, script, error)) {
        std::fprintf(stderr, "tintrow: %s\n", error.c_str());
        return 2;
    }
    useHeadlessDrivers();
    host::VirtualClock clock;
    host::ScriptedWindow window(options.width, options.height, std::move(script), clock);
    int status = runEngine(window, clock, options, createApplication);
    if (!window.failure().empty()) {
        std::fprintf(stderr, "tintrow: %s\n", window.failure().c_str());
        return status ? status : 1;
    }
    return status;
}

int runWindowed(const CommandLine& options, ApplicationFactory createApplication)
{
    host::WindowOptions wo;
    wo.title = title();
    wo.width = options.width;
    wo.height = options.height;
    wo.scale = options.scale;
    std::string error;
    std::unique_ptr<host::Window> window = host::openSdlWindow(wo, error);
    if (!window) {
        std::fprintf(stderr, "tintrow: cannot open a window: %s\n", error.c_str());
        return 1;
    }
    setWindowIcon(*window);
    microedition::media::DManager::setDriverFactory(host::createSdlAudioDriver);
    std::unique_ptr<host::Clock> clock = host::makeSdlClock();
    return runEngine(*window, *clock, options, createApplication);
}

} // namespace

int runShell(const std::vector<std::string>& arguments, ApplicationFactory createApplication)
{
    CommandLine options;
    std::string error;
    if (!parseCommandLine(arguments, options, error)) {
        std::fprintf(stderr, "tintrow: %s\n", error.c_str());
        return 2;
    }
    if (options.request != CommandLine::PLAY) {
        std::fputs((options.request == CommandLine::HELP ? usageText() : versionText()).c_str(), stdout);
        return 0;
    }
    std::string dataFolder = io::joinPath(io::dataBase(), "Vandrel/" + title());
    host::InstanceLock lock;
    if (io::makeFolders(dataFolder) && lock.acquire(dataFolder) == host::InstanceLock::HELD_ELSEWHERE) {
        std::printf("tintrow: already running with this data folder\n");
        return 0;
    }
    return options.script.empty() ? runWindowed(options, createApplication)
                                  : runScripted(options, createApplication);
}
