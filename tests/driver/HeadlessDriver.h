#pragma once
// Runs a real application (DriverApp, or the game's own) frame by frame under
// Xvfb, deterministically:
//  - time: a fake tick source drives the game clock and with it the loop's
//    frame time; the loop's 10 ms wait advances the fake time by 10 ms (or,
//    in Skip mode, nothing) and never sleeps;
//  - input: events are queued here and pushed into SDL's event queue at the
//    start of the frame they are meant for (at most what the queue holds;
//    the rest waits for the next frame), then the application's own
//    pollEvents, handleKeyEvent and handleMouseEvent turn them into records;
//    events from the X server (pointer, focus, window manager) are kept out
//    of the queue once started, so only scripted input arrives;
//  - output: a HookLog of hook calls and markers, state dumps, and captures
//    of drawn frames through the application's captureScreen.
//
// Order of life: construct the driver; construct the application; attach;
// the application opens its window (initApp); start; step or run scripts;
// destroy the application, then the driver.
//
// Script commands (one per line; see DriverScript for the syntax):
//   step [N]                 run N frames (default 1)
//   frame N COMMAND...       run frames until frame N is next, then COMMAND
//   wait MS                  run frames until MS ms of fake time have passed
//   stall MS                 advance time by MS at once (a slow frame)
//   key CHORD                press and release ("key F8", "key alt+return")
//   keydown CHORD / keyup CHORD
//   mouse move X Y
//   mouse down X Y [left|right|middle] / mouse up X Y [...]
//   mouse click X Y [button] move, press, release
//   mouse wheel up|down      one notch (a press and a release of SDL 4 / 5)
//   quit                     a window-close event
//   focus lost|gained        an input-focus change
//   shot PATH                run one frame and write it to PATH as a BMP
//   dump                     a state dump into the log
//   log TEXT...              a marker line into the log
// Input commands take effect in the next frame. Further commands are added
// with addCommand.
#include "engine/core/Types.h"
#include "tests/driver/HookLog.h"
#include <SDL.h>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class SDLGameApp;
struct KeyChord;

class HeadlessDriver {
public:
    enum class DelayMode { Advance, Skip };

    // A command's work; returns "" on success, else the reason it failed.
    using Command = std::function<std::string(HeadlessDriver& driver, const std::vector<std::string>& args)>;

    // Installs the fake tick source, starting at `startTicks`.
    explicit HeadlessDriver(uint64_t startTicks = 1000);
    // Restores SDL's timer and lets X input into SDL's queue again.
    ~HeadlessDriver();
    HeadlessDriver(const HeadlessDriver&) = delete;
    HeadlessDriver& operator=(const HeadlessDriver&) = delete;

    // Drives this application from now on (not owned). It must be destroyed
    // before the driver: its clock and its loop wait now read the driver.
    void attach(SDLGameApp& app);
    // After the window opened: keeps X input out of SDL's queue, throws away
    // what the window's start left there and starts the loop's frame timing.
    // False when no application is attached or it has no window.
    bool start();
    SDLGameApp* application() const { return app; }

    // Fake milliseconds.
    uint64_t now() const { return ticks; }
    void advanceTime(uint32_t ms) { ticks += ms; }
    void setDelayMode(DelayMode mode) { delayMode = mode; }
    // With quick waits on, the frames of a `wait` are rasterised into one
    // pixel (QuickFrames): the game's logic and draw calls run as ever, and a
    // `shot` or `step` after the wait draws the full frame.
    void setQuickWaits(bool on) { quickWaits = on; }

    // Input for the next frame.
    void queueEvent(const SDL_Event& event);
    void keyDown(const KeyChord& chord);
    void keyUp(const KeyChord& chord);
    void pressKey(const KeyChord& chord);
    // False for an unknown chord name (see KeyNames).
    bool pressKey(const std::string& chord);
    void mouseMove(int x, int y);
    // SDL button numbers: 1 left, 2 middle, 3 right, 4/5 wheel.
    void mouseButton(int x, int y, int sdlButton, bool down);
    void click(int x, int y, int sdlButton = SDL_BUTTON_LEFT);
    void wheel(bool up);
    void quitEvent();
    void focusEvent(bool gained);
    // Events queued but not yet in SDL's queue.
    size_t pendingEvents() const { return pending.size(); }

    // Runs up to `frames` frames; stops early, returning false, when the
    // loop ended (onExit and the shutdown have then run).
    bool step(int frames = 1);
    bool isRunning() const { return running; }
    // Frames run so far.
    uint64_t frame() const;

    // Runs one frame and writes it, after drawing and before the swap, to
    // `path`. True when the file exists afterwards.
    bool shot(const std::string& path);
    // Frame, times, window, pointer, flags and the screen stack, one item a line.
    std::string dumpState() const;

    HookLog& log() { return hookLog; }

    // Called after every frame that ran (in order of adding), e.g. to notice
    // a screen that exists for a few frames only.
    void addFrameObserver(std::function<void()> observer) { frameObservers.push_back(std::move(observer)); }

    // Adds (or replaces) a script command taking minArgs..maxArgs words.
    void addCommand(const std::string& name, int minArgs, int maxArgs, Command command);
    // Checks every line's command and word count first; then runs the lines
    // in order. On failure returns false and lastError() names the line.
    bool runScript(const std::string& text);
    bool runScriptFile(const std::string& path);
    const std::string& lastError() const { return error; }

private:
    struct CommandEntry {
        int minArgs = 0;
        int maxArgs = 0;
        Command run;
    };

    void addBuiltInCommands();
    std::string checkLine(const std::vector<std::string>& words, size_t first) const;
    std::string runLine(const std::vector<std::string>& words, size_t first);
    void feedEvents();

    SDLGameApp* app = nullptr;  // not owned
    uint64_t ticks;
    DelayMode delayMode = DelayMode::Advance;
    bool quickWaits = false;
    bool started = false;
    bool running = false;
    std::deque<SDL_Event> pending;
    Point pointer;
    uint8_t heldButtons = 0;  // SDL state mask
    HookLog hookLog;
    std::map<std::string, CommandEntry> commands;
    std::vector<std::function<void()>> frameObservers;
    std::string error;
};
