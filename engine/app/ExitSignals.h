#pragma once
// The signals that ask a process to end (SIGTERM from a desktop logout or
// `kill`, SIGINT from Ctrl+C, SIGHUP when the terminal or session goes),
// turned into a request the main loop reads, so the game ends through its
// normal exit path and saves instead of dying with everything since start.
//
// SDL 1.2 installs handlers of its own for SIGINT and SIGTERM at SDL_Init
// that post a quit event (the game would open its quit dialog and be killed
// a few seconds later), but only where the default action is set: installed
// before SDL_Init, these handlers stay, and SDL_Quit leaves them alone.
// restore() puts back what was there before install().
//
// Two modes. Until setRecording(true) a signal ends the process at once,
// with the signal's default action (as if no handler were set): while a
// program starts, nothing would read a request, and a start that hangs
// (SDL 1.2 waits for ever for a pointer grab held by another full-screen
// program) must still end. Recording, the handler only stores the signal
// number in a volatile sig_atomic_t, the one thing a handler may safely
// do, for the main loop to read. One set of handlers exists per process.
class ExitSignals {
public:
    // Replaces the handlers of SIGTERM, SIGINT and SIGHUP, ending the
    // process at once (not recording), and forgets any signal received
    // earlier. A signal that is ignored (SIG_IGN, as nohup leaves SIGHUP)
    // stays ignored. A second call before restore() does nothing.
    static void install();
    // Recording on: signals are recorded for received(). Off: a signal ends
    // the process at once. Only while installed.
    static void setRecording(bool on);
    // Puts back the handlers that install() replaced; nothing when not
    // installed. A signal received before stays readable.
    static void restore();
    static bool isInstalled();
    // The last exit signal received since install(), or 0.
    static int received();
    // "SIGTERM", "SIGINT", "SIGHUP", else "an exit signal".
    static const char* name(int signal);

private:
    ExitSignals() = delete;
};
