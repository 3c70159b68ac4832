#pragma once
// A monkey run over the real game: seeded random clicks, drags, moves, wheel
// notches, keys, focus changes, window-close requests and slow frames fed to
// whatever screen is on top, one frame at a time with the driver's fake time
// (frames rasterised into one pixel, QuickFrames), jumping to a random flow
// entry now and then.
//
// The jumps of the first `tourFrames` frames visit every flow entry in
// order, evenly spread; random ones follow.
//
// The run goes on whatever the game does: a quit question left open for a
// while is answered "no"; an empty screen stack gets a random flow entry;
// when the loop ends anyway (the question answered "yes" by a random click)
// the game is built again over the same save folder and the run continues.
// An exit signal (SIGTERM, SIGINT, SIGHUP) ends the run as a failure.
//
// Every `rssEvery` frames one line "rss frame=N kb=K top=CLASS" goes to
// standard output (the process's resident memory, VmRSS of
// /proc/self/status). The last events are kept in a fixed ring; a crash
// (signal, sanitizer report, escaped exception) prints them on standard
// error before the process ends.
#include <cstdint>
#include <memory>
#include <random>
#include <string>

class GameDriver;
class HeadlessDriver;

class MonkeyRun {
public:
    struct Options {
        uint32_t seed = 1;
        long frames = 5000;
        int rssEvery = 1000;
        // Frames between two jumps to a random flow entry, drawn from this range.
        int jumpMin = 200;
        int jumpMax = 1500;
        // Over the first frames the jumps go to every flow entry in turn, so
        // that each screen's first visit (its loading, the allocator's and
        // the driver's peak) falls before the memory baseline at this frame.
        int tourFrames = 10000;
        // A quit question on top this many frames running is answered "no".
        int quitPatience = 40;
    };

    explicit MonkeyRun(const Options& options);
    ~MonkeyRun();
    MonkeyRun(const MonkeyRun&) = delete;
    MonkeyRun& operator=(const MonkeyRun&) = delete;

    // Runs the frames; false, with the reason in `error`, when the game could
    // not be started (at the beginning or after its loop ended).
    bool run(std::string& error);

    long restarts() const { return restartCount; }
    long jumps() const { return jumpCount; }
    long events() const { return eventCount; }

    // The process's resident memory in kB, or -1 when it cannot be read.
    static long residentKb();
    // Installs the handlers that print the last events when the process dies.
    static void installCrashReport();
    // Writes the last events to standard error (async-signal-safe).
    static void printLastEvents();

private:
    bool startGame(std::string& error);
    void stopGame();
    // Keeps a screen on top and the quit question from ending the run.
    void tendScreens(long frame);
    void jumpToRandomEntry(const char* why);
    void jumpToEntry(int index, const char* why);
    void randomInput();
    void continueDrag();
    int uniform(int low, int high);
    // Adds a line to the ring of last events.
    void note(const std::string& text);

    Options options;
    std::mt19937 rng;
    std::unique_ptr<HeadlessDriver> driver;
    std::unique_ptr<GameDriver> game;
    long frameNumber = 0;
    long nextJump = 0;
    int quitDialogFrames = 0;
    int focusReturnsIn = 0;
    // A drag in progress: frames left, the pointer and the step per frame.
    int dragFramesLeft = 0;
    int dragX = 0, dragY = 0, dragDx = 0, dragDy = 0;
    long restartCount = 0;
    long jumpCount = 0;
    long eventCount = 0;
};
