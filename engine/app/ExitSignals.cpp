#include "engine/app/ExitSignals.h"

#include <csignal>
#include <signal.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int kSignalCount = sizeof kSignals / sizeof kSignals[0];

volatile std::sig_atomic_t g_received = 0;
volatile std::sig_atomic_t g_recording = 0;
bool g_installed = false;
struct sigaction g_previous[kSignalCount];
bool g_replaced[kSignalCount] = {};

// Only async-signal-safe calls below.
extern "C" void onExitSignal(int signal)
{
    if (g_recording) {
        g_received = signal;
        return;
    }
    // Not recording: the program has no loop that would read the request
    // yet. The default action ends it as soon as this handler returns (the
    // signal stays blocked until then).
    static const char term[] = "app: SIGTERM received while starting; ending at once\n";
    static const char interrupt[] = "app: SIGINT received while starting; ending at once\n";
    static const char hangUp[] = "app: SIGHUP received while starting; ending at once\n";
    const ssize_t ignored = signal == SIGTERM  ? ::write(STDOUT_FILENO, term, sizeof term - 1)
                            : signal == SIGINT ? ::write(STDOUT_FILENO, interrupt, sizeof interrupt - 1)
                                               : ::write(STDOUT_FILENO, hangUp, sizeof hangUp - 1);
    (void)ignored;
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(signal, &fallback, nullptr);
    raise(signal);
}

} // namespace

void ExitSignals::install()
{
    if (g_installed)
        return;
    g_received = 0;
    g_recording = 0;
    struct sigaction action {};
    action.sa_handler = onExitSignal;
    // While one is recorded the others wait; a blocking call interrupted by
    // one is restarted, the loop reads the request at its next frame.
    sigemptyset(&action.sa_mask);
    for (int s : kSignals)
        sigaddset(&action.sa_mask, s);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i) {
        // An ignored signal stays ignored: whoever started the game (nohup,
        // a shell without job control) asked for it to survive that signal.
        g_replaced[i] = sigaction(kSignals[i], nullptr, &g_previous[i]) == 0 &&
                        g_previous[i].sa_handler != SIG_IGN && sigaction(kSignals[i], &action, nullptr) == 0;
    }
    g_installed = true;
}

void ExitSignals::restore()
{
    if (!g_installed)
        return;
    for (int i = 0; i < kSignalCount; ++i) {
        if (g_replaced[i])
            sigaction(kSignals[i], &g_previous[i], nullptr);
        g_replaced[i] = false;
    }
    g_installed = false;
    g_recording = 0;
}

void ExitSignals::setRecording(bool on)
{
    if (g_installed)
        g_recording = on ? 1 : 0;
}

bool ExitSignals::isInstalled()
{
    return g_installed;
}

int ExitSignals::received()
{
    return g_received;
}

const char* ExitSignals::name(int signal)
{
    switch (signal) {
    case SIGTERM: return "SIGTERM";
    case SIGINT: return "SIGINT";
    case SIGHUP: return "SIGHUP";
    default: return "an exit signal";
    }
}
