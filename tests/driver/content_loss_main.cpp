// Starts the game to its start screen without each content file it reads,
// and with each of its XML, font and tuning files damaged (ContentLossCheck).
//
//   game_content_loss [--jobs N] [--sample N] [--seed N] [--work DIR]
//
// Run from the repository root under a display (scripts/with-xvfb.sh), sound
// on SDL's disk driver. The work folder (default build/content-loss) holds
// the slots' copies of content/ while it runs. Exit status 0 when every case
// passed, 1 otherwise, 2 for a usage error.
#include "engine/ui/ScreenBase.h"
#include "frontend/MainMenu.h"
#include "quillendar/QuillendarApp.h"
#include "tests/driver/ContentLossCheck.h"
#include "tests/driver/DriverScript.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/HeadlessDriver.h"
#include "tests/driver/QuickFrames.h"

#include <cstdio>
#include <string>

namespace {

// The start screen is up: the main menu lies on the stack and whatever is on
// top of it (the profiles menu of a first start) has finished entering.
bool atStartScreen(QuillendarApp& app)
{
    bool menu = false;
    for (ScreenBase* screen : app.getScreens())
        menu = menu || dynamic_cast<MainMenu*>(screen) != nullptr;
    ScreenBase* top = app.topScreen();
    return menu && top && top->getState() == ScreenBase::Idle;
}

// One start of the game in the working folder, as the program does it: the
// application, its window, then frames of fake time until the start screen.
int startToStartScreen()
{
    HeadlessDriver driver;
    GameDriver game(driver);
    std::string error;
    if (!game.startGame(error)) {
        std::printf("content-loss: %s\n", error.c_str());
        return error.rfind("missing ", 0) == 0 ? ContentLossCheck::Refused : ContentLossCheck::NoStart;
    }
    QuickFrames quick(driver);
    // The logo sequence lasts a few seconds; twenty of fake time is plenty.
    // Frames of 100 ms (the loop's own 10 ms wait and 90 more) get there in
    // a tenth of the frames.
    for (int frame = 0; frame < 200; ++frame) {
        driver.advanceTime(90);
        if (!driver.step(1))
            break;
        if (atStartScreen(*game.app())) {
            // A few frames of the menu itself, which load and draw its parts.
            driver.step(30);
            return ContentLossCheck::Reached;
        }
    }
    std::printf("content-loss: no start screen; top %s\n", GameDriver::className(game.app()->topScreen()).c_str());
    return ContentLossCheck::NoStartScreen;
}

int usage()
{
    std::fprintf(stderr, "usage: game_content_loss [--jobs N] [--sample N] [--seed N] [--work DIR]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::string work = "build/content-loss";
    int jobs = 3, sample = 0, seed = 1;
    for (int i = 1; i < argc; i += 2) {
        if (i + 1 >= argc)
            return usage();
        const std::string arg = argv[i];
        const std::string value = argv[i + 1];
        int number = 0;
        if (arg == "--work") {
            work = value;
            continue;
        }
        if (!DriverScript::toInt(value, number) || number < 0)
            return usage();
        if (arg == "--jobs")
            jobs = number > 0 ? number : 1;
        else if (arg == "--sample")
            sample = number;
        else if (arg == "--seed")
            seed = number;
        else
            return usage();
    }
    ContentLossCheck check("content", work, startToStartScreen);
    check.jobs = jobs;
    check.sample = sample;
    check.seed = static_cast<unsigned>(seed);
    return check.run() ? 0 : 1;
}
