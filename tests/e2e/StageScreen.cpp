#include "tests/e2e/StageScreen.h"

#include "tests/driver/HookLog.h"

StageScreen::StageScreen(const std::string& screenName, HookLog& log) : ProbeScreen(screenName, log), hookLog(log)
{
}

void StageScreen::onEntered()
{
    hookLog.add(getName() + " onEntered");
    ProbeScreen::onEntered();
}
