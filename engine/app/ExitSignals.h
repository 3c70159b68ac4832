#pragma once
// The signals that ask a process to end (SIGTERM from a desktop logout or
// `kill`, SIGINT from Ctrl+C, SIGHUP when the terminal or session goes),
// turned into a request the main loop reads, so the game ends through its
// normal exit path and saves instead of dying with everything since start.
//
// SDL 1.2 installs handlers of its own for SIGINT and SIGTERM at SDL_Init
// that post a quit event (the game would open its quit dialog and be killed
// a few seconds later); install() replaces them and must therefore run after
// SDL_Init. restore() puts SDL's (or whatever was there) back before SDL_Quit,
// which then removes SDL's handlers itself.
//
// The handler only stores the signal number in a volatile sig_atomic_t, the
// one thing a handler may safely do. One set of handlers exists per process.
class ExitSignals {
public:
    // Replaces the handlers of SIGTERM, SIGINT and SIGHUP and forgets any
    // signal received earlier. A signal that is ignored (SIG_IGN, as nohup
    // leaves SIGHUP) stays ignored. A second call before restore() does
    // nothing.
    static void install();
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
