#include "tests/driver/DriverApp.h"

#include "tests/driver/HookLog.h"

#include <SDL.h>

namespace {

std::string mode(int width, int height, bool fullscreen)
{
    return std::to_string(width) + " " + std::to_string(height) + " " + (fullscreen ? "1" : "0");
}

} // namespace

DriverApp::DriverApp(HookLog& log) : hookLog(log)
{
}

DriverApp::~DriverApp() = default;

void DriverApp::setWindow(int width, int height, bool fullscreen)
{
    windowWidth = width;
    windowHeight = height;
    windowFullscreen = fullscreen;
}

void DriverApp::initApp()
{
    hookLog.add("initApp");
    if (!openWindow(windowWidth, windowHeight, 32, windowFullscreen))
        hookLog.add("openWindow failed");
}

bool DriverApp::onQuitRequested()
{
    hookLog.add(std::string("onQuitRequested ") + (quitAnswer ? "yes" : "no"));
    return quitAnswer;
}

void DriverApp::onExit()
{
    hookLog.add("onExit");
}

void DriverApp::onBeforeVideoMode()
{
    hookLog.add("onBeforeVideoMode");
}

void DriverApp::onFocusGained()
{
    hookLog.add("onFocusGained");
}

void DriverApp::onFocusLost()
{
    hookLog.add("onFocusLost");
}

bool DriverApp::allowModeChange(int width, int height, bool fullscreen)
{
    hookLog.add("allowModeChange " + mode(width, height, fullscreen) + (allowModes ? " yes" : " no"));
    return allowModes;
}

void DriverApp::onUpdate(int dt)
{
    if (logFrames)
        hookLog.add("onUpdate " + std::to_string(dt));
}

void DriverApp::reportInitError(int& code)
{
    hookLog.add("reportInitError " + std::to_string(code));
}

bool DriverApp::onVideoModeChanged(int width, int height, bool fullscreen)
{
    hookLog.add("onVideoModeChanged " + mode(width, height, fullscreen));
    return true;
}

void DriverApp::onFullscreenRestored()
{
    hookLog.add("onFullscreenRestored");
}

void DriverApp::onFullscreenLeft()
{
    hookLog.add("onFullscreenLeft");
}

SDL_Surface* DriverApp::setVideoMode(int width, int height, int bitsPerPixel, uint32_t flags)
{
    const bool full = (flags & SDL_FULLSCREEN) != 0;
    if (videoModeFailures > 0) {
        --videoModeFailures;
        hookLog.add("setVideoMode " + mode(width, height, full) + " refused");
        SDL_SetError("refused by the test");
        return nullptr;
    }
    SDL_Surface* surface = SDLGameApp::setVideoMode(width, height, bitsPerPixel, flags);
    hookLog.add("setVideoMode " + mode(width, height, full) + (surface ? " ok" : " failed"));
    return surface;
}
