#include "tests/driver/MonkeyRun.h"

#include "engine/app/ExitSignals.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/QuitDialogScreen.h"
#include "game/GameFlow.h"
#include "quillendar/QuillendarApp.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/GameDriverProbes.h"
#include "tests/driver/HeadlessDriver.h"
#include "tests/driver/KeyNames.h"
#include "tests/driver/QuickFrames.h"

#include <SDL.h>

#include <malloc.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
extern "C" void __sanitizer_set_death_callback(void (*callback)(void));
#endif

namespace {

// The ring of last events: fixed storage, so that a signal handler can
// print it without allocating.
constexpr int RingSize = 48;
constexpr int LineSize = 120;
char ring[RingSize][LineSize];
int ringNext = 0;
int ringCount = 0;

void writeText(const char* text)
{
    size_t left = std::strlen(text);
    while (left > 0) {
        const ssize_t n = ::write(STDERR_FILENO, text, left);
        if (n <= 0)
            return;
        text += n;
        left -= static_cast<size_t>(n);
    }
}

void onFatalSignal(int signo)
{
    writeText("monkey: fatal signal; the last events:\n");
    MonkeyRun::printLastEvents();
    std::signal(signo, SIG_DFL);
    std::raise(signo);
}

// Keys a player may press anywhere; F8 (a screenshot file each time) is left
// out, full screen and Alt+F4 come as rare events of their own.
const char* const MonkeyKeys[] = {"a", "e", "q", "z", "1", "9", "space", "return", "escape", "backspace",
                                  "tab", "left", "right", "up", "down", "home", "end", "delete",
                                  "pageup", "pagedown", "#282", "#283", "#284", "shift+a", "ctrl+s", "."};

} // namespace

MonkeyRun::MonkeyRun(const Options& o) : options(o), rng(o.seed) {}

MonkeyRun::~MonkeyRun()
{
    stopGame();
}

long MonkeyRun::residentKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return -1;
}

void MonkeyRun::installCrashReport()
{
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizer keeps its own signal handlers; it calls this after its report.
    __sanitizer_set_death_callback(&MonkeyRun::printLastEvents);
#else
    for (int signo : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL})
        std::signal(signo, onFatalSignal);
#endif
}

void MonkeyRun::printLastEvents()
{
    const int first = (ringNext - ringCount + RingSize) % RingSize;
    for (int i = 0; i < ringCount; ++i) {
        writeText("  ");
        writeText(ring[(first + i) % RingSize]);
        writeText("\n");
    }
}

void MonkeyRun::note(const std::string& text)
{
    const std::string top = game && game->app() ? GameDriver::className(game->app()->topScreen()) : "none";
    std::snprintf(ring[ringNext], LineSize, "frame %ld [%s] %s", frameNumber, top.c_str(), text.c_str());
    ringNext = (ringNext + 1) % RingSize;
    if (ringCount < RingSize)
        ++ringCount;
    ++eventCount;
}

int MonkeyRun::uniform(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

bool MonkeyRun::startGame(std::string& error)
{
    driver = std::make_unique<HeadlessDriver>();
    game = std::make_unique<GameDriver>(*driver);
    addGameDriverProbes(*game);
    if (!game->startGame(error))
        return false;
    // Through the logo sequence to the main menu, then a player of a random
    // play mode (the profiles menu that a first start opens stays on top).
    {
        QuickFrames quick(*driver);
        driver->step(450);
    }
    const std::string name = "Monkey" + std::to_string(restartCount);
    const std::string problem = game->newProfile(name, uniform(0, 1));
    if (!problem.empty() && problem.find("exists") == std::string::npos) {
        error = "profile: " + problem;
        return false;
    }
    note("game started, profile " + name);
    return true;
}

void MonkeyRun::stopGame()
{
    // The application goes before the driver's fake time does.
    game.reset();
    driver.reset();
}

void MonkeyRun::jumpToRandomEntry(const char* why)
{
    const int count = GameFlow::instance()->entryCount();
    if (count <= 0) {
        game->app()->showStartScreen();
        note(std::string(why) + ": no flow; the main menu");
        return;
    }
    jumpToEntry(uniform(0, count - 1), why);
}

void MonkeyRun::jumpToEntry(int index, const char* why)
{
    const std::string problem = game->showFlowEntry(index);
    note(std::string(why) + ": flow " + std::to_string(index) + (problem.empty() ? "" : " (" + problem + ")"));
    if (!problem.empty())
        game->app()->showStartScreen();
    ++jumpCount;
}

void MonkeyRun::tendScreens(long frame)
{
    QuillendarApp* app = game->app();
    ScreenBase* top = app->topScreen();
    if (!top) {
        jumpToRandomEntry("empty stack");
        return;
    }
    auto* question = dynamic_cast<QuitDialogScreen*>(top);
    quitDialogFrames = question ? quitDialogFrames + 1 : 0;
    if (question && quitDialogFrames > options.quitPatience && top->getState() == ScreenBase::Idle) {
        note("the quit question answered no");
        question->onAnswer(0, 0);
        quitDialogFrames = 0;
    }
    if (frame < nextJump)
        return;
    const int count = GameFlow::instance()->entryCount();
    if (frame < options.tourFrames && count > 0 && jumpCount < count) {
        jumpToEntry(int(jumpCount), "tour");
        nextJump = frame + std::max(1, options.tourFrames / count);
    } else {
        jumpToRandomEntry("jump");
        nextJump = frame + uniform(options.jumpMin, options.jumpMax);
    }
}

void MonkeyRun::continueDrag()
{
    dragX = std::max(0, std::min(1023, dragX + dragDx));
    dragY = std::max(0, std::min(767, dragY + dragDy));
    if (--dragFramesLeft > 0) {
        driver->mouseMove(dragX, dragY);
        return;
    }
    driver->mouseButton(dragX, dragY, SDL_BUTTON_LEFT, false);
    note("drag ends at " + std::to_string(dragX) + "," + std::to_string(dragY));
}

void MonkeyRun::randomInput()
{
    if (focusReturnsIn > 0 && --focusReturnsIn == 0) {
        driver->focusEvent(true);
        note("focus gained");
    }
    if (dragFramesLeft > 0) {
        continueDrag();
        return;
    }
    // Most frames bring nothing; a player clicks a few times a second.
    if (uniform(0, 99) >= 30)
        return;
    const int x = uniform(0, 1023);
    const int y = uniform(0, 767);
    const std::string at = std::to_string(x) + "," + std::to_string(y);
    const int kind = uniform(0, 999);
    if (kind < 420) {
        driver->click(x, y);
        note("click " + at);
    } else if (kind < 500) {
        driver->click(x, y, SDL_BUTTON_RIGHT);
        note("right click " + at);
    } else if (kind < 640) {
        dragX = x;
        dragY = y;
        dragFramesLeft = uniform(3, 30);
        dragDx = uniform(-40, 40);
        dragDy = uniform(-40, 40);
        driver->mouseButton(x, y, SDL_BUTTON_LEFT, true);
        note("drag starts at " + at);
    } else if (kind < 790) {
        driver->mouseMove(x, y);
        note("move " + at);
    } else if (kind < 930) {
        const char* key = MonkeyKeys[uniform(0, int(sizeof MonkeyKeys / sizeof *MonkeyKeys) - 1)];
        driver->pressKey(std::string(key));
        note(std::string("key ") + key);
    } else if (kind < 960) {
        const bool up = uniform(0, 1) == 0;
        driver->wheel(up);
        note(up ? "wheel up" : "wheel down");
    } else if (kind < 975) {
        const int ms = uniform(100, 3000);
        driver->advanceTime(static_cast<uint32_t>(ms));
        note("slow frame " + std::to_string(ms) + " ms");
    } else if (kind < 985) {
        if (focusReturnsIn == 0) {
            driver->focusEvent(false);
            focusReturnsIn = uniform(1, 60);
            note("focus lost");
        }
    } else if (kind < 993) {
        driver->quitEvent();
        note("window close");
    } else if (kind < 997) {
        driver->pressKey(std::string("alt+#285"));
        note("key alt+F4");
    } else {
        driver->pressKey(std::string("alt+return"));
        note("key alt+return");
    }
}

bool MonkeyRun::run(std::string& error)
{
    // A fixed threshold for the allocator's own mappings: by default it
    // rises with every large block freed, after which large blocks stay in
    // the heap once freed, and the resident memory shows the peak of the
    // run so far rather than what the game holds.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
    std::printf("monkey: seed %u, %ld frames\n", options.seed, options.frames);
    std::fflush(stdout);
    if (!startGame(error))
        return false;
    nextJump = options.tourFrames > 0 ? 0 : uniform(options.jumpMin, options.jumpMax);
    for (frameNumber = 0; frameNumber < options.frames; ++frameNumber) {
        if (!driver->isRunning()) {
            // SIGTERM, SIGINT or SIGHUP end the run, not only the game.
            if (const int signal = ExitSignals::received()) {
                error = std::string("stopped by ") + ExitSignals::name(signal) + " at frame " +
                        std::to_string(frameNumber);
                return false;
            }
            note("the loop ended; the game starts again");
            stopGame();
            ++restartCount;
            if (!startGame(error))
                return false;
        }
        tendScreens(frameNumber);
        randomInput();
        {
            QuickFrames quick(*driver);
            driver->step(1);
        }
        if (options.rssEvery > 0 && (frameNumber + 1) % options.rssEvery == 0) {
            const std::string top = game->app() ? GameDriver::className(game->app()->topScreen()) : "none";
            std::printf("rss frame=%ld kb=%ld top=%s\n", frameNumber + 1, residentKb(), top.c_str());
            std::fflush(stdout);
        }
    }
    std::printf("monkey: %ld frames, %ld events, %ld jumps, %ld restarts\n", options.frames, eventCount, jumpCount,
                restartCount);
    return true;
}
