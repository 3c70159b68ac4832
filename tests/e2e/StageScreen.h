#pragma once
// The probe screen of the application tests with one more line in the log:
// "<name> onEntered" when its in-transition has ended and input is on.
#include "tests/app/ProbeScreen.h"

class StageScreen : public ProbeScreen {
public:
    // `log` is not owned and must outlive the screen.
    StageScreen(const std::string& name, HookLog& log);

    void onEntered() override;

private:
    HookLog& hookLog;
};
