#pragma once
// A complete application for driving the engine without the game: its start
// is opening a window, and every hook writes one line into a HookLog
// ("onVideoModeChanged 1024 768 1", "onUpdate 30", ...). Tests push their own
// screens on it, or derive from it to add behaviour. Construct it after the
// HeadlessDriver (its clock reads the driver's time from construction on).
#include "engine/app/SDLGameApp.h"
#include <string>

class HookLog;

class DriverApp : public SDLGameApp {
public:
    // `log` is not owned and must outlive the application.
    explicit DriverApp(HookLog& log);
    ~DriverApp() override;

    // Window size and mode used by initApp.
    void setWindow(int width, int height, bool fullscreen);
    // Opens the window; isWindowOpen() tells whether it worked.
    void initApp() override;

    // What onQuitRequested answers (yes by default).
    void setQuitAnswer(bool answer) { quitAnswer = answer; }
    // What allowModeChange answers (yes by default).
    void setAllowModeChange(bool answer) { allowModes = answer; }
    // The next `count` video-mode requests fail as if the mode were missing.
    void failVideoModes(int count) { videoModeFailures = count; }
    // Log the per-frame hooks (onUpdate); on by default.
    void setLogFrames(bool on) { logFrames = on; }

    bool onQuitRequested() override;
    void onExit() override;
    void onBeforeVideoMode() override;
    void onFocusGained() override;
    void onFocusLost() override;
    bool allowModeChange(int width, int height, bool fullscreen) override;
    void onUpdate(int dt) override;
    void reportInitError(int& code) override;
    bool onVideoModeChanged(int width, int height, bool fullscreen) override;
    void onFullscreenRestored() override;
    void onFullscreenLeft() override;

    HookLog& log() { return hookLog; }

protected:
    SDL_Surface* setVideoMode(int width, int height, int bitsPerPixel, uint32_t flags) override;

private:
    HookLog& hookLog;
    int windowWidth = 1024;
    int windowHeight = 768;
    bool windowFullscreen = false;
    bool quitAnswer = true;
    bool allowModes = true;
    int videoModeFailures = 0;
    bool logFrames = true;
};
