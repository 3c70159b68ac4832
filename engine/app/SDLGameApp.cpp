#include "engine/app/SDLGameApp.h"

#include "engine/app/ExitSignals.h"
#include "engine/audio/SDLSoundSystem.h"
#include "engine/core/GameClock.h"
#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/gfx/GLGraphics.h"
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/AppConfig.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/ScreenBase.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

SDLGameApp* g_sdlInstance = nullptr;

constexpr int kMaxFrameTime = 30;
constexpr uint32_t kFrameDelay = 10;
constexpr int kRendererDepth = 1000;
constexpr int kGpuResources = ResourceManager::FontResources | ResourceManager::TextureResources;
constexpr int kMaxScreenshots = 9998;

// Screens are built from pictures of a few megabytes each: decoded, widened
// to powers of two, then freed when the screen goes. By default the C library
// hands blocks that large back to the system at each free, and the next
// screen pays a page fault for every 4 KB it touches again (on a virtual
// machine that is most of a screen's opening time). Kept in the process,
// the memory of the last screen is reused by the next one.
void keepFreedPictureMemory()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

uint32_t videoFlags(bool fullscreen)
{
    return SDL_OPENGL | (fullscreen ? SDL_FULLSCREEN : 0);
}

const char* modeName(bool fullscreen)
{
    return fullscreen ? "full-screen" : "window";
}

// "800x600, 16 bits, window" for the error log.
std::string describeMode(int width, int height, int bitsPerPixel, bool fullscreen)
{
    return std::to_string(width) + "x" + std::to_string(height) + ", " + std::to_string(bitsPerPixel) + " bits, " +
           modeName(fullscreen);
}

// The environment variable that chose a driver or a display, as
// `, label "value"`, or "" when it is not set.
std::string environmentChoice(const char* label, const char* variable)
{
    const char* value = std::getenv(variable);
    return value ? std::string(", ") + label + " \"" + value + "\"" : std::string();
}

// SDL's button state mask to the engine's mask (left 1, right 2, middle 4).
int32_t heldButtons(uint8_t state)
{
    int32_t buttons = 0;
    if (state & SDL_BUTTON(SDL_BUTTON_LEFT))
        buttons |= MouseEvent::Left;
    if (state & SDL_BUTTON(SDL_BUTTON_RIGHT))
        buttons |= MouseEvent::Right;
    if (state & SDL_BUTTON(SDL_BUTTON_MIDDLE))
        buttons |= MouseEvent::Middle;
    return buttons;
}

int32_t buttonOf(uint8_t sdlButton)
{
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return MouseEvent::Left;
    case SDL_BUTTON_RIGHT: return MouseEvent::Right;
    case SDL_BUTTON_MIDDLE: return MouseEvent::Middle;
    default: return 0;
    }
}

} // namespace

SDLGameApp::SDLGameApp()
    : caption("QuarnGameEngine app"), graphics(std::make_unique<GLGraphics>())
{
    soundSystem = std::make_unique<SDLSoundSystem>();
    g_sdlInstance = this;
    IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG);
    if ((Mix_Init(MIX_INIT_OGG) & MIX_INIT_OGG) == 0)
        std::printf("Mix_Init: %s\n", Mix_GetError());
}

SDLGameApp::~SDLGameApp()
{
    // An application destroyed without running its loop to the end still
    // closes SDL (a no-op after run()).
    shutdown();
    // Screens first: they may still use the main manager's textures and this
    // application's services while they are deleted.
    deleteAllScreens();
    cursorTexture.reset();
    graphics.reset();
    soundSystem.reset();
    extraResources.clear();
    resources.reset();
    IMG_Quit();
    // SDL_mixer 1.2's Mix_Quit frees its sound-font path list without
    // forgetting it, so the next application's Mix_OpenAudio (or Mix_Quit)
    // would use freed memory. Clearing the list first leaves nothing behind.
    Mix_SetSoundFonts(nullptr);
    Mix_Quit();
    if (g_sdlInstance == this)
        g_sdlInstance = nullptr;
}

SDLGameApp* SDLGameApp::instance()
{
    return g_sdlInstance;
}

void SDLGameApp::initApp()
{
}

unsigned char SDLGameApp::unicodeToChar(int unicode)
{
    return unicode >= 0 && unicode < 256 ? static_cast<unsigned char>(unicode) : 0;
}

Point SDLGameApp::getMousePos()
{
    return mousePos;
}

void SDLGameApp::setMousePos(Point position)
{
    mousePos = position;
}

void SDLGameApp::onBeforeVideoMode() {}
void SDLGameApp::onFocusGained() {}
void SDLGameApp::onFocusLost() {}
bool SDLGameApp::allowModeChange(int, int, bool) { return true; }
void SDLGameApp::onUpdate(int) {}
void SDLGameApp::onPreRender(Graphics&) {}
void SDLGameApp::onPostRender(Graphics&) {}
void SDLGameApp::reportInitError(int&) {}
bool SDLGameApp::onVideoModeChanged(int, int, bool) { return true; }
void SDLGameApp::reservedHook(int, int, int) {}
void SDLGameApp::onFullscreenRestored() {}
void SDLGameApp::onFullscreenLeft() {}

void SDLGameApp::showSoftwareCursor()
{
    softwareCursorOn = 1;
}

void SDLGameApp::hideSoftwareCursor()
{
    softwareCursorOn = 0;
}

SDL_Surface* SDLGameApp::setVideoMode(int w, int h, int bitsPerPixel, uint32_t flags)
{
    return SDL_SetVideoMode(w, h, bitsPerPixel, flags);
}

bool SDLGameApp::openWindow(int w, int h, int bitsPerPixel, bool fs)
{
    fullscreen = fs ? 1 : 0;
    width = w;
    height = h;
    initErrorDetail.clear();
    keepFreedPictureMemory();

    // Ours before SDL_Init, which then keeps them instead of putting in its
    // own (those post a quit event, which the game would answer with its
    // quit dialog). Until the loop runs they end the program at once: a
    // start can hang inside SDL (a full-screen mode waits for a pointer grab
    // another program holds), and nothing needs saving yet.
    ExitSignals::install();
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) != 0) {
        initErrorDetail = "Tried SDL_Init(audio, video)" + environmentChoice("video driver", "SDL_VIDEODRIVER") +
                          environmentChoice("display", "DISPLAY") +
                          environmentChoice("audio driver", "SDL_AUDIODRIVER") + " (" + SDL_GetError() + ").";
        logError("SDL_Init: " + initErrorDetail);
        SDL_Quit();  // whatever subsystems did start
        ExitSignals::restore();
        int code = SdlInitFailed;
        reportInitError(code);
        return false;
    }
    sdlStarted = true;
    SDL_EnableUNICODE(1);
    SDL_EnableKeyRepeat(500, 30);
    SDL_WM_SetCaption(caption.c_str(), nullptr);

    if (Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024) == 0) {
        audioOpen = true;
        Mix_AllocateChannels(16);
    } else {
        // No sound card is no reason to refuse to start: run on silent.
        initErrorDetail = "Tried Mix_OpenAudio(44100 Hz, signed 16-bit, 2 channels, 1024-sample chunks)" +
                          environmentChoice("audio driver", "SDL_AUDIODRIVER") + " (" + Mix_GetError() + ").";
        int code = AudioOpenFailed;
        reportInitError(code);
        std::printf("Unable to open audio!\n");
        std::fflush(stdout);
    }

    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    onBeforeVideoMode();
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

    if (!openVideoMode(bitsPerPixel)) {
        logError("SDL_SetVideoMode: " + initErrorDetail);
        int code = VideoModeFailed;
        reportInitError(code);
        shutdown();
        return false;
    }
    windowOpen = true;
    graphics->init(width, height, kRendererDepth);
    return true;
}

bool SDLGameApp::openVideoMode(int bitsPerPixel)
{
    const bool fs = fullscreen != 0;
    screenSurface = setVideoMode(width, height, bitsPerPixel, videoFlags(fs));
    if (screenSurface)
        return true;
    const std::string tried = describeMode(width, height, bitsPerPixel, fs) + " (" + SDL_GetError() + ")";
    if (width == AppConfig::DefaultWidth && height == AppConfig::DefaultHeight &&
        bitsPerPixel == AppConfig::DefaultBitDepth) {
        initErrorDetail = "Tried " + tried + ".";
        return false;
    }
    // Every screen is laid out for the default window: it is worth a try.
    const std::string fallback =
        describeMode(AppConfig::DefaultWidth, AppConfig::DefaultHeight, AppConfig::DefaultBitDepth, fs);
    logWarning("window: cannot open " + tried + "; trying " + fallback);
    width = AppConfig::DefaultWidth;
    height = AppConfig::DefaultHeight;
    screenSurface = setVideoMode(width, height, AppConfig::DefaultBitDepth, videoFlags(fs));
    if (screenSurface)
        return true;
    initErrorDetail = "Tried " + tried + ", then " + fallback + " (" + SDL_GetError() + ").";
    return false;
}

void SDLGameApp::shutdown()
{
    if (!sdlStarted)
        return;
    // Textures and fonts outlive SDL (screens are deleted later): let them
    // drop their GL names while the context still exists.
    if (windowOpen)
        releaseGpuCopies();
    windowOpen = false;
    screenSurface = nullptr;
    if (audioOpen) {
        Mix_CloseAudio();
        audioOpen = false;
    }
    // SDL's own handlers go back first: SDL_Quit removes only its own.
    ExitSignals::restore();
    SDL_Quit();
    sdlStarted = false;
}

void SDLGameApp::setFrameDelay(FrameDelay delay)
{
    frameDelay = std::move(delay);
}

void SDLGameApp::run()
{
    if (!windowOpen)
        return;
    beginLoop();
    while (runFrame()) {
    }
    endLoop();
}

void SDLGameApp::beginLoop()
{
    lastFrameTime = static_cast<uint32_t>(clock->elapsed());
    // From here on the loop reads a signal at its next frame and ends
    // through onExit, which saves.
    ExitSignals::setRecording(true);
}

bool SDLGameApp::runFrame()
{
    // A signal ends the game as the quit dialog's "yes" does: without asking,
    // through onExit, which saves. Nothing is drawn any more.
    if (const int signal = ExitSignals::received()) {
        logInfo(std::string("app: ") + ExitSignals::name(signal) + " received; ending the game");
        quitNow = 1;
        return false;
    }
    ++frameNumber;
    pollEvents();
    if (frameDelay)
        frameDelay(kFrameDelay);
    else
        SDL_Delay(kFrameDelay);

    const uint32_t now = static_cast<uint32_t>(clock->elapsed());
    uint32_t dt = now - lastFrameTime;  // unsigned: survives the 32-bit wrap
    if (dt > static_cast<uint32_t>(kMaxFrameTime))
        dt = kMaxFrameTime;
    lastFrameTime = now;

    updateFrame(static_cast<int>(dt));
    renderFrame();

    if (quitNow)
        return false;
    if (quitRequested && onQuitRequested())
        return false;
    quitRequested = 0;
    return true;
}

void SDLGameApp::endLoop()
{
    onExit();
    shutdown();
}

void SDLGameApp::pollEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
        case SDL_ACTIVEEVENT:
            if (event.active.state & SDL_APPINPUTFOCUS)
                handleFocusChange(event.active.gain != 0);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            handleKeyEvent(event);
            break;
        case SDL_MOUSEMOTION:
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            handleMouseEvent(event);
            break;
        case SDL_QUIT:
            // Whatever follows waits for the next frame, so the game can
            // answer the quit before more input reaches the screens.
            quitRequested = 1;
            return;
        default:
            break;
        }
    }
}

void SDLGameApp::handleFocusChange(bool gained)
{
    // X11 reports focus changes caused by our own video-mode switch; acting
    // on them would switch again, and again.
    if (hasSwitchedMode && frameNumber <= focusGuardFrame)
        return;
    if (gained == inputFocus)
        return;
    // A key released while another window had the focus is never reported.
    f8Held = false;
    inputFocus = gained;
    if (gained) {
        if (leftFullscreenOnFocusLoss) {
            leftFullscreenOnFocusLoss = 0;
            setFullscreen(true);
            if (fullscreen)
                onFullscreenRestored();
        }
        clock->resume();
        onFocusGained();
    } else {
        if (fullscreen) {
            setFullscreen(false);
            if (!fullscreen) {
                leftFullscreenOnFocusLoss = 1;
                onFullscreenLeft();
            }
        }
        clock->pause();
        onFocusLost();
    }
}

void SDLGameApp::handleKeyEvent(const SDL_Event& event)
{
    KeyEvent record;  // stays all zero after a hot key
    const SDL_keysym& sym = event.key.keysym;
    const bool alt = (sym.mod & KMOD_ALT) != 0;
    bool fill = true;
    if (event.type == SDL_KEYDOWN) {
        if (sym.sym == SDLK_RETURN && alt) {
            setFullscreen(!fullscreen);
            fill = false;
        } else if (sym.sym == SDLK_F4 && alt) {
            quitRequested = 1;
            fill = false;
        } else if (sym.sym == SDLK_F8) {
            // Key repeat sends a held key's key-down again and again: one
            // screenshot per press, not one every 30 ms.
            if (!f8Held)
                requestScreenshot();
            f8Held = true;
            fill = false;
        }
    } else if (sym.sym == SDLK_F8) {
        f8Held = false;
    }
    if (fill) {
        record.key = sym.sym;
        record.modifiers = sym.mod;
        record.type = event.type == SDL_KEYUP ? KeyEvent::Released : KeyEvent::Pressed;
        record.unicode = sym.unicode;
        record.character = unicodeToChar(sym.unicode);
    }
    dispatchKey(record);
}

void SDLGameApp::handleMouseEvent(const SDL_Event& event)
{
    MouseEvent record;
    if (event.type == SDL_MOUSEMOTION) {
        record.dx = event.motion.xrel;
        record.dy = event.motion.yrel;
        record.x = event.motion.x;
        record.y = event.motion.y;
        record.type = MouseEvent::Move;
        record.buttons = heldButtons(event.motion.state);
        setMousePos(Point(event.motion.x, event.motion.y));
    } else {
        const SDL_MouseButtonEvent& b = event.button;
        if (b.button == SDL_BUTTON_WHEELUP) {
            record.type = MouseEvent::WheelUp;
        } else if (b.button == SDL_BUTTON_WHEELDOWN) {
            record.type = MouseEvent::WheelDown;
        } else {
            record.x = b.x;
            record.y = b.y;
            record.buttons = buttonOf(b.button);
            record.type = event.type == SDL_MOUSEBUTTONDOWN ? MouseEvent::Press : MouseEvent::Release;
        }
    }
    dispatchMouse(record);
}

void SDLGameApp::dispatchKey(KeyEvent& record)
{
    const uint64_t changesBefore = stackChanges;
    for (size_t i = screens.size(); i > 0 && stackChanges == changesBefore; --i) {
        ScreenBase* screen = screens[i - 1];
        if (screen->isActive())
            screen->onKey(&record);
    }
}

void SDLGameApp::dispatchMouse(const MouseEvent& record)
{
    const uint64_t changesBefore = stackChanges;
    for (size_t i = screens.size(); i > 0 && stackChanges == changesBefore; --i) {
        ScreenBase* screen = screens[i - 1];
        if (screen->isActive())
            screen->onMouse(record);
    }
}

void SDLGameApp::updateFrame(int dt)
{
    onUpdate(dt);
    // By index, re-reading the size: an update may pop (and delete) its
    // screen and push others.
    for (size_t i = 0; i < screens.size(); ++i) {
        ScreenBase* screen = screens[i];
        if (screen->isActive())
            screen->update(dt);
    }
}

void SDLGameApp::renderFrame()
{
    if (!windowOpen)
        return;
    graphics->resetTransform();
    graphics->clear();
    onPreRender(*graphics);
    for (size_t i = 0; i < screens.size(); ++i)
        screens[i]->draw(*graphics);
    onPostRender(*graphics);
    if (cursorTexture && softwareCursorOn) {
        graphics->resetTransform();
        const Point at = getMousePos();
        graphics->drawImage(at.x, at.y, cursorTexture.get(), Color::white());
    }
    // The back buffer holds this frame only until the swap.
    if (screenshotPending) {
        screenshotPending = false;
        takeScreenshot();
    }
    if (!capturePath.empty()) {
        captureScreen(capturePath);
        capturePath.clear();
    }
    graphics->swapBuffers();
}

void SDLGameApp::setFullscreen(bool on)
{
    if (!windowOpen)
        return;
    if (!allowModeChange(width, height, on))
        return;
    if (on == (fullscreen != 0))
        return;

    const bool previous = fullscreen != 0;
    fullscreen = on ? 1 : 0;
    hasSwitchedMode = true;
    focusGuardFrame = frameNumber + 1;
    SDL_Surface* surface = setVideoMode(width, height, 0, videoFlags(on));
    if (!surface) {
        std::fprintf(stderr, "Cannot switch to %s mode (%s); back to %s mode\n", modeName(on), SDL_GetError(),
                     modeName(previous));
        fullscreen = previous ? 1 : 0;
        surface = setVideoMode(width, height, 0, videoFlags(previous));
        if (!surface) {
            std::fprintf(stderr, "Cannot set the %s mode again (%s); quitting\n", modeName(previous),
                         SDL_GetError());
            screenSurface = nullptr;
            windowOpen = false;
            quitNow = 1;
            return;
        }
    }
    screenSurface = surface;
    graphics->init(width, height, kRendererDepth);
    // The old context's GL names are gone with it (or soon will be).
    releaseGpuCopies();
    reloadGpuCopies();
    if ((fullscreen != 0) == on)
        onVideoModeChanged(width, height, on);
}

void SDLGameApp::releaseGpuCopies()
{
    resources->releaseGpuResources(kGpuResources);
    if (cursorTexture)
        cursorTexture->releaseGpu();
    for (const auto& extra : extraResources)
        if (extra)
            extra->releaseGpuResources(kGpuResources);
    for (size_t i = 0; i < screens.size(); ++i)
        screens[i]->releaseGL();
}

void SDLGameApp::reloadGpuCopies()
{
    resources->reloadGpuResources(kGpuResources);
    if (cursorTexture)
        cursorTexture->upload();
    for (const auto& extra : extraResources)
        if (extra)
            extra->reloadGpuResources(kGpuResources);
    for (size_t i = 0; i < screens.size(); ++i)
        screens[i]->reloadGL();
}

void SDLGameApp::setCaption(const std::string& text)
{
    caption = text;
    if (sdlStarted)
        SDL_WM_SetCaption(caption.c_str(), nullptr);
}

void SDLGameApp::setCursorImage(GLTexture* texture)
{
    cursorTexture.reset(texture);
}

void SDLGameApp::requestScreenshot()
{
    screenshotPending = true;
}

void SDLGameApp::requestCapture(const std::string& path)
{
    capturePath = path;
}

void SDLGameApp::takeScreenshot()
{
    std::string folder = getAppDataPath();
    const std::string& saveFolder = AppConfig::getInstance().getSaveFolder();
    if (!saveFolder.empty())
        folder += "/" + saveFolder;
    folder += "/ScreenShots/";
    if (!makeDirectories(folder)) {
        logError("screenshot: cannot create the folder " + folder);
        return;
    }
    // The first free name; asking the file system holds no file open.
    for (int i = 1; i <= kMaxScreenshots; ++i) {
        const std::string name = folder + "ScrShot" + std::to_string(i) + ".bmp";
        std::error_code error;
        if (!std::filesystem::exists(name, error) && !error) {
            captureScreen(name);
            return;
        }
    }
}

bool SDLGameApp::captureScreen(const std::string& path)
{
    if (!windowOpen || width <= 0 || height <= 0)
        return false;
    const size_t rowBytes = static_cast<size_t>(width) * 4;
    std::vector<uint8_t> pixels(rowBytes * static_cast<size_t>(height));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());

    // GL's rows run bottom-up, a surface's top-down.
    std::vector<uint8_t> upright(pixels.size());
    for (int y = 0; y < height; ++y)
        std::copy_n(pixels.data() + rowBytes * static_cast<size_t>(height - 1 - y), rowBytes,
                    upright.data() + rowBytes * static_cast<size_t>(y));

    SDL_Surface* surface = SDL_CreateRGBSurfaceFrom(upright.data(), width, height, 32, static_cast<int>(rowBytes),
                                                    0x000000ff, 0x0000ff00, 0x00ff0000, 0xff000000);
    if (!surface) {
        logError("screenshot " + path + ": " + SDL_GetError());
        return false;
    }
    const bool written = writeBmp(surface, path);
    SDL_FreeSurface(surface);
    return written;
}

bool SDLGameApp::writeBmp(SDL_Surface* surface, const std::string& path)
{
    // Through a stream of our own: SDL checks some of its writes only and
    // not the close, so a full disk would leave a cut file behind, which
    // takes the space the next save needs and a screenshot number.
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        logError("screenshot " + path + ": cannot create it: " + std::strerror(errno));
        return false;
    }
    std::string why;
    SDL_RWops* stream = SDL_RWFromFP(file, 0);  // 0: the file stays ours to close
    if (!stream) {
        why = SDL_GetError();
    } else {
        errno = 0;
        const bool saved = SDL_SaveBMP_RW(surface, stream, 0) == 0;
        const int err = errno;
        SDL_RWclose(stream);
        if (std::ferror(file))
            why = std::strerror(err != 0 ? err : EIO);
        else if (!saved)
            why = SDL_GetError();
    }
    errno = 0;
    if (std::fflush(file) != 0 && why.empty())
        why = std::strerror(errno);
    if (std::fclose(file) != 0 && why.empty())
        why = std::strerror(errno);
    if (why.empty())
        return true;
    const bool removed = std::remove(path.c_str()) == 0;
    logError("screenshot " + path + ": could not be written whole (" + why + "); " +
             (removed ? "removed" : "cannot be removed: " + std::string(std::strerror(errno))));
    return false;
}
