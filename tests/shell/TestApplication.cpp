// The application the shell tests run, created through the factory they hand to the engine.
#include "TestApplication.h"

#include "lang/DExceptionBase.h"
#include "microedition/lcdui/DDisplay.h"

#include <stdexcept>

using namespace vela;

TestScenario& scenario()
{
    static TestScenario s;
    return s;
}

namespace {

void note(const std::string& what)
{
    scenario().log += what + " ";
}

class LoggingCanvas : public microedition::lcdui::game::DGameCanvas {
public:
    void showNotify() override { note("show"); }
    void hideNotify() override { note("hide"); }
    void keyPressed(int32_t k) override { note("P" + std::to_string(k)); }
    void keyRepeated(int32_t k) override { note("Rep" + std::to_string(k)); }
    void keyReleased(int32_t k) override { note("R" + std::to_string(k)); }
    void pointerPressed(int32_t x, int32_t y) override { note("pp" + std::to_string(x) + "," + std::to_string(y)); }
    void pointerDragged(int32_t x, int32_t y) override { note("pd" + std::to_string(x) + "," + std::to_string(y)); }
    void pointerReleased(int32_t x, int32_t y) override { note("pr" + std::to_string(x) + "," + std::to_string(y)); }
};

class LoggingApplication : public microedition::midlet::DMIDlet {
public:
    void startApp() override
    {
        note("start");
        if (scenario().startUnknownFailure)
            throw std::runtime_error("not a runtime exception");
        if (scenario().startFailure)
            throw new lang::DExceptionBase(scenario().startFailure, "start went wrong");
        display->setCurrent(new LoggingCanvas());
    }
    void tick() override
    {
        int n = ++scenario().ticks;
        if (scenario().logTicks)
            note("|");
        if (scenario().tickFailure && scenario().log.find("P") != std::string::npos)
            throw new lang::DExceptionBase(scenario().tickFailure, "tick went wrong");
        if (n == scenario().endAfterTicks)
            notifyDestroyed();
    }
    void pauseApp() override { note("pause"); }
    void destroyApp(bool unconditional) override { note(unconditional ? "destroy" : "destroy?"); }
};

} // namespace

microedition::midlet::DMIDletPtr createTestApplication()
{
    return new LoggingApplication();
}
