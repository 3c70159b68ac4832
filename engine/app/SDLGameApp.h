#pragma once
// The application bound to SDL 1.2, SDL_image, SDL_mixer and OpenGL: opens
// the window and the audio device, runs the main loop, turns SDL events into
// KeyEvent and MouseEvent records, switches between window and full screen,
// writes screenshots and draws the software cursor. The game's application
// derives from it and overrides the hooks.
//
// One frame of the loop (runFrame):
//  1. poll and dispatch SDL events until none is left or a quit event
//     arrived (events behind a quit event wait for the next frame);
//  2. the frame delay (SDL_Delay(10) unless replaced, see setFrameDelay);
//  3. dt = game-clock milliseconds since the previous frame, at most 30;
//  4. onUpdate(dt), then every active screen bottom to top;
//  5. render: onPreRender, every screen bottom to top, onPostRender, the
//     software cursor at the pointer position, a requested screenshot, swap;
//  6. the loop ends when quitNow is set, or when a quit was requested and
//     onQuitRequested() agrees; otherwise the request is forgotten.
//
// Key and mouse records go to the active screens from the top down. When a
// screen pushes or pops screens while handling one, the record is not offered
// further down: the stack it was aimed at is gone, and a screen that has just
// become active must not handle the key that uncovered it.
//
// Hot keys: Alt+Return switches full screen, Alt+F4 asks to quit, F8 (any
// modifiers) writes a screenshot, once per press (the key-downs that key
// repeat sends while F8 stays held write none); screens then receive an
// all-zero record.
// The pointer position comes from motion events only, so events pushed into
// SDL's queue move the software cursor like real ones.
//
// Losing the input focus pauses the game clock (and leaves full screen);
// regaining it resumes both. Focus reports that do not change the state, and
// those X11 sends because of our own video-mode switch (polled in the frame of
// the switch or the next one), are ignored, so a switch never toggles itself.
//
// SIGTERM, SIGINT and SIGHUP (ExitSignals, installed from openWindow to the
// shutdown) end the loop at the start of the next frame without asking
// onQuitRequested, as quitNow does: onExit runs and can save. The window's
// close button and Alt+F4 still ask. Before the loop runs (from openWindow
// to beginLoop) they end the program at once, as their default action
// does: nothing would read the request, and a start may hang inside SDL.
//
// Without a window (openWindow failed or was not called) nothing draws: run()
// returns at once, renderFrame, setFullscreen and captureScreen do nothing.
#include "engine/app/GameApp.h"
#include "engine/core/Types.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class GLGraphics;
class GLTexture;
class Graphics;
struct KeyEvent;
struct MouseEvent;
struct SDL_Surface;
union SDL_Event;

class SDLGameApp : public GameApp {
public:
    // Initialisation failures handed to reportInitError.
    enum InitError { SdlInitFailed = 0, AudioOpenFailed = 1, VideoModeFailed = 2 };

    // Sets the default caption, creates the renderer and the sound system,
    // installs the application and initialises SDL_image (JPEG, PNG) and
    // SDL_mixer (OGG); a missing OGG decoder prints "Mix_Init: <reason>".
    SDLGameApp();
    // Shuts SDL down if the loop did not, then deletes every screen, the
    // cursor, the renderer, the sound system and the resource managers and
    // shuts SDL_image and SDL_mixer down.
    ~SDLGameApp() override;

    // The installed application, or null.
    static SDLGameApp* instance();

    void initApp() override;
    unsigned char unicodeToChar(int unicode) override;
    // Does nothing without a window. Otherwise loops (beginLoop, runFrame
    // until it returns false, endLoop).
    void run() override;
    Point getMousePos() override;
    void setMousePos(Point position) override;
    // Reads the back buffer (call after drawing, before the swap) and writes
    // it as an upright BMP. False, with one error line, when there is no
    // window or the file cannot be written; a file that could not be written
    // whole (a full disk) is removed again.
    bool captureScreen(const std::string& path) override;
    // Takes ownership; the previous cursor image is deleted. Null removes it.
    void setCursorImage(GLTexture* texture) override;

    // Hooks; each does nothing unless stated.
    // Just before the video mode is set by openWindow.
    virtual void onBeforeVideoMode();
    // After the clock was resumed / paused.
    virtual void onFocusGained();
    virtual void onFocusLost();
    // Asked before every full-screen switch; true lets it happen.
    virtual bool allowModeChange(int width, int height, bool fullscreen);
    // Once per frame before the screens update.
    virtual void onUpdate(int dt);
    // Before the first and after the last screen is drawn.
    virtual void onPreRender(Graphics& g);
    virtual void onPostRender(Graphics& g);
    // An initialisation failure (InitError). After SdlInitFailed and
    // VideoModeFailed openWindow returns false and start-up must stop; after
    // AudioOpenFailed the game runs on without sound. getInitErrorDetail()
    // then says what was tried and SDL's reason.
    virtual void reportInitError(int& code);
    // After every completed full-screen switch; returns true.
    virtual bool onVideoModeChanged(int width, int height, bool fullscreen);
    // Never called by the engine.
    virtual void reservedHook(int a, int b, int c);
    // After focus handling switched back to / away from full screen.
    virtual void onFullscreenRestored();
    virtual void onFullscreenLeft();
    // Switch the drawing of the cursor image on / off.
    virtual void showSoftwareCursor();
    virtual void hideSoftwareCursor();

    // Initialises SDL (audio and video), the exit-signal handlers, Unicode
    // keys and key repeat, the caption, the audio device (44100 Hz, 16-bit,
    // stereo, 16 channels), an 8-bit stencil and double buffering, then sets
    // the OpenGL video mode and initialises the renderer. A mode other than
    // AppConfig's default 1024 x 768 x 32 that cannot be set is replaced by
    // that default with one warning line (getWidth/getHeight give the size
    // opened). Returns false after
    // reportInitError when SDL or the video mode cannot be set up: SDL is
    // shut down again and the caller must stop. A failed audio device only
    // leaves the game silent.
    [[nodiscard]] bool openWindow(int width, int height, int bitsPerPixel, bool fullscreen);
    // Drops every GPU copy while the context still exists, closes the audio
    // device when it was opened, puts the signal handlers back and quits
    // SDL. Nothing draws afterwards.
    void shutdown();
    // Asks allowModeChange, then sets the other mode and re-creates every GPU
    // copy (main manager, cursor, extra managers, screens bottom to top).
    // Nothing when the mode is current or there is no window. When the new
    // mode cannot be set the previous one is set again (one line on standard
    // error) and the GPU copies are re-created in it; if even that fails the
    // window is gone and the loop ends after this frame (quitNow).
    void setFullscreen(bool on);
    void setCaption(const std::string& text);
    // Writes the back buffer to <app data>/<save folder>/ScreenShots/ScrShotN.bmp,
    // N the lowest of 1..9998 not taken; nothing when all are taken. Call
    // between drawing and the swap; F8 goes through requestScreenshot.
    void takeScreenshot();
    // A numbered screenshot of the next frame, taken after it was drawn.
    void requestScreenshot();
    // Writes the next frame, after it was drawn, to the path.
    void requestCapture(const std::string& path);

    // The parts of the loop.
    void pollEvents();
    void handleKeyEvent(const SDL_Event& event);
    void handleMouseEvent(const SDL_Event& event);
    void updateFrame(int dt);
    void renderFrame();

    // Starts timing frames from now; exit signals are read by the loop
    // from now on.
    void beginLoop();
    // One frame (see above); false when the loop must end.
    bool runFrame();
    // onExit(), then shutdown().
    void endLoop();

    // Replaces the wait of step 2 (milliseconds); an empty function restores
    // SDL_Delay. A driver that steps fake time installs its own.
    using FrameDelay = std::function<void(uint32_t ms)>;
    void setFrameDelay(FrameDelay delay);

    bool isWindowOpen() const { return windowOpen; }
    bool isAudioOpen() const { return audioOpen; }
    bool isFullscreen() const { return fullscreen != 0; }
    bool hasInputFocus() const { return inputFocus; }
    bool isSoftwareCursorOn() const { return softwareCursorOn != 0; }
    const std::string& getCaption() const { return caption; }
    // For the last failure openWindow reported: what was tried, with SDL's
    // reason ("Tried 800x600, 16 bits, window (reason), then ..."); "" when
    // none was reported.
    const std::string& getInitErrorDetail() const { return initErrorDetail; }
    GLTexture* getCursorImage() const { return cursorTexture.get(); }
    GLGraphics* getGraphics() const { return graphics.get(); }
    // Frames started by runFrame so far.
    uint64_t getFrameNumber() const { return frameNumber; }

protected:
    // The one place where the video mode is set (SDL_SetVideoMode).
    virtual SDL_Surface* setVideoMode(int width, int height, int bitsPerPixel, uint32_t flags);

private:
    // Sets the mode of openWindow (the requested one or the default, see
    // there); false with initErrorDetail set when neither can be set.
    bool openVideoMode(int bitsPerPixel);
    // Writes the surface as a BMP file; false, with one error line and no
    // file left, when it cannot be written whole.
    static bool writeBmp(SDL_Surface* surface, const std::string& path);
    void handleFocusChange(bool gained);
    void dispatchKey(KeyEvent& record);
    void dispatchMouse(const MouseEvent& record);
    void releaseGpuCopies();
    void reloadGpuCopies();

    std::string caption;
    uint8_t fullscreen = 0;
    std::unique_ptr<GLGraphics> graphics;
    SDL_Surface* screenSurface = nullptr;  // owned by SDL
    std::unique_ptr<GLTexture> cursorTexture;
    uint32_t lastFrameTime = 0;
    uint8_t leftFullscreenOnFocusLoss = 0;
    Point mousePos;
    uint8_t softwareCursorOn = 1;

    bool sdlStarted = false;
    bool windowOpen = false;
    bool audioOpen = false;
    bool inputFocus = true;
    uint64_t frameNumber = 0;
    // Focus reports polled up to this frame follow our own mode switch.
    uint64_t focusGuardFrame = 0;
    bool hasSwitchedMode = false;
    bool screenshotPending = false;
    // F8 is down: its repeated key-downs take no screenshot.
    bool f8Held = false;
    std::string initErrorDetail;
    std::string capturePath;
    FrameDelay frameDelay;
};
