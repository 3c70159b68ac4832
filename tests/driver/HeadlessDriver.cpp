#include "tests/driver/HeadlessDriver.h"

#include "tests/driver/QuickFrames.h"

#include "engine/app/SDLGameApp.h"
#include "engine/core/GameClock.h"
#include "engine/ui/ScreenBase.h"
#include "tests/driver/DriverScript.h"
#include "tests/driver/KeyNames.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace {

// Events made by SDL from the X server go through the filter; events pushed
// with SDL_PushEvent do not. Refusing them all leaves only scripted input.
int refuseDeviceEvents(const SDL_Event*)
{
    return 0;
}

const char* stateName(int state)
{
    switch (state) {
    case ScreenBase::Entering: return "entering";
    case ScreenBase::Leaving: return "leaving";
    case ScreenBase::Idle: return "idle";
    default: return "?";
    }
}

bool parseButton(const std::string& name, int& button)
{
    if (name == "left")
        button = SDL_BUTTON_LEFT;
    else if (name == "right")
        button = SDL_BUTTON_RIGHT;
    else if (name == "middle")
        button = SDL_BUTTON_MIDDLE;
    else
        return false;
    return true;
}

std::string joinFrom(const std::vector<std::string>& words, size_t first)
{
    std::string out;
    for (size_t i = first; i < words.size(); ++i) {
        if (i > first)
            out += ' ';
        out += words[i];
    }
    return out;
}

} // namespace

HeadlessDriver::HeadlessDriver(uint64_t startTicks) : ticks(startTicks)
{
    setTickSource([this]() { return ticks; });
    addBuiltInCommands();
}

HeadlessDriver::~HeadlessDriver()
{
    // The application is gone by now (it must die first): not touched.
    if (started)
        SDL_SetEventFilter(nullptr);
    setTickSource(nullptr);
}

void HeadlessDriver::attach(SDLGameApp& application)
{
    app = &application;
    app->setFrameDelay([this](uint32_t ms) {
        if (delayMode == DelayMode::Advance)
            ticks += ms;
    });
}

bool HeadlessDriver::start()
{
    if (!app || !app->isWindowOpen())
        return false;
    SDL_SetEventFilter(refuseDeviceEvents);  // also empties the queue
    started = true;
    running = true;
    app->beginLoop();
    hookLog.setFrame(app->getFrameNumber());
    return true;
}

uint64_t HeadlessDriver::frame() const
{
    return app ? app->getFrameNumber() : 0;
}

void HeadlessDriver::queueEvent(const SDL_Event& event)
{
    pending.push_back(event);
}

void HeadlessDriver::keyDown(const KeyChord& chord)
{
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = static_cast<SDLKey>(chord.key);
    e.key.keysym.mod = static_cast<SDLMod>(chord.modifiers);
    e.key.keysym.unicode = static_cast<Uint16>(chord.unicode);
    queueEvent(e);
}

void HeadlessDriver::keyUp(const KeyChord& chord)
{
    SDL_Event e{};
    e.type = SDL_KEYUP;
    e.key.state = SDL_RELEASED;
    e.key.keysym.sym = static_cast<SDLKey>(chord.key);
    e.key.keysym.mod = static_cast<SDLMod>(chord.modifiers);
    // SDL translates presses only: a release carries no Unicode value.
    queueEvent(e);
}

void HeadlessDriver::pressKey(const KeyChord& chord)
{
    keyDown(chord);
    keyUp(chord);
}

bool HeadlessDriver::pressKey(const std::string& chord)
{
    KeyChord parsed;
    if (!KeyNames::parse(chord, parsed))
        return false;
    pressKey(parsed);
    return true;
}

void HeadlessDriver::mouseMove(int x, int y)
{
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.state = heldButtons;
    e.motion.x = static_cast<Uint16>(x);
    e.motion.y = static_cast<Uint16>(y);
    e.motion.xrel = static_cast<Sint16>(x - pointer.x);
    e.motion.yrel = static_cast<Sint16>(y - pointer.y);
    pointer = Point(x, y);
    queueEvent(e);
}

void HeadlessDriver::mouseButton(int x, int y, int sdlButton, bool down)
{
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = static_cast<Uint8>(sdlButton);
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = static_cast<Uint16>(x);
    e.button.y = static_cast<Uint16>(y);
    if (sdlButton >= SDL_BUTTON_LEFT && sdlButton <= SDL_BUTTON_RIGHT) {
        if (down)
            heldButtons |= SDL_BUTTON(sdlButton);
        else
            heldButtons &= static_cast<uint8_t>(~SDL_BUTTON(sdlButton));
    }
    queueEvent(e);
}

void HeadlessDriver::click(int x, int y, int sdlButton)
{
    mouseMove(x, y);
    mouseButton(x, y, sdlButton, true);
    mouseButton(x, y, sdlButton, false);
}

void HeadlessDriver::wheel(bool up)
{
    // SDL reports a notch as a press and a release at the pointer.
    const int button = up ? SDL_BUTTON_WHEELUP : SDL_BUTTON_WHEELDOWN;
    mouseButton(pointer.x, pointer.y, button, true);
    mouseButton(pointer.x, pointer.y, button, false);
}

void HeadlessDriver::quitEvent()
{
    SDL_Event e{};
    e.type = SDL_QUIT;
    queueEvent(e);
}

void HeadlessDriver::focusEvent(bool gained)
{
    SDL_Event e{};
    e.type = SDL_ACTIVEEVENT;
    e.active.gain = gained ? 1 : 0;
    e.active.state = SDL_APPINPUTFOCUS;
    queueEvent(e);
}

void HeadlessDriver::feedEvents()
{
    // SDL 1.2's queue holds 127 events; what does not fit waits a frame.
    while (!pending.empty()) {
        if (SDL_PushEvent(&pending.front()) != 0)
            break;
        pending.pop_front();
    }
}

bool HeadlessDriver::step(int frames)
{
    for (int i = 0; i < frames; ++i) {
        if (!running)
            return false;
        feedEvents();
        hookLog.setFrame(app->getFrameNumber() + 1);
        if (!app->runFrame()) {
            running = false;
            hookLog.add("loop ended");
            app->endLoop();
            return false;
        }
        for (const auto& observe : frameObservers)
            observe();
    }
    return running;
}

bool HeadlessDriver::shot(const std::string& path)
{
    if (!running)
        return false;
    std::error_code ec;
    std::filesystem::remove(path, ec);
    app->requestCapture(path);
    step(1);
    return std::filesystem::exists(path, ec);
}

std::string HeadlessDriver::dumpState() const
{
    std::ostringstream out;
    out << "frame " << frame() << " time " << ticks;
    if (!app) {
        out << " (no application)\n";
        return out.str();
    }
    GameClock* clock = app->getClock();
    out << " clock " << clock->elapsed() << (clock->isPaused() ? " paused" : " running") << "\n";
    out << "window " << app->getWidth() << "x" << app->getHeight() << (app->isFullscreen() ? " full-screen" : " window")
        << (app->isWindowOpen() ? " open" : " closed") << (app->hasInputFocus() ? " focus" : " no-focus")
        << (app->isAudioOpen() ? " audio" : " silent") << "\n";
    const Point mouse = app->getMousePos();
    out << "mouse " << mouse.x << "," << mouse.y << " cursor " << (app->isSoftwareCursorOn() ? "on" : "off")
        << (app->getCursorImage() ? " image" : " no-image") << "\n";
    out << "quit requested " << app->isQuitRequested() << " now " << app->isQuitNow() << "\n";
    const std::vector<ScreenBase*>& screens = app->getScreens();
    out << "screens " << screens.size() << " (bottom first)\n";
    for (size_t i = 0; i < screens.size(); ++i)
        out << "  " << i << " " << screens[i]->getName() << (screens[i]->isActive() ? " active " : " inactive ")
            << stateName(screens[i]->getState()) << "\n";
    return out.str();
}

void HeadlessDriver::addCommand(const std::string& name, int minArgs, int maxArgs, Command command)
{
    commands[name] = CommandEntry{minArgs, maxArgs, std::move(command)};
}

std::string HeadlessDriver::checkLine(const std::vector<std::string>& words, size_t first) const
{
    if (first >= words.size())
        return "missing command";
    auto it = commands.find(words[first]);
    if (it == commands.end())
        return "unknown command '" + words[first] + "'";
    const int args = static_cast<int>(words.size() - first - 1);
    if (words[first] == "frame") {
        // "frame N" alone runs to frame N; "frame N COMMAND..." runs COMMAND there.
        if (args < 1)
            return "frame needs a frame number";
        return args == 1 ? std::string() : checkLine(words, first + 2);
    }
    if (args < it->second.minArgs || args > it->second.maxArgs)
        return words[first] + " takes " + std::to_string(it->second.minArgs) + " to " +
               std::to_string(it->second.maxArgs) + " words, not " + std::to_string(args);
    return std::string();
}

std::string HeadlessDriver::runLine(const std::vector<std::string>& words, size_t first)
{
    const CommandEntry& entry = commands.at(words[first]);
    const std::vector<std::string> args(words.begin() + static_cast<long>(first) + 1, words.end());
    if (words[first] == "frame") {
        std::string reason = entry.run(*this, std::vector<std::string>(1, args[0]));
        if (!reason.empty() || args.size() == 1)
            return reason;
        return runLine(words, first + 2);
    }
    return entry.run(*this, args);
}

bool HeadlessDriver::runScript(const std::string& text)
{
    error.clear();
    std::vector<ScriptLine> lines;
    if (!DriverScript::parse(text, lines, error))
        return false;
    for (const ScriptLine& line : lines) {
        const std::string reason = checkLine(line.words, 0);
        if (!reason.empty()) {
            error = "line " + std::to_string(line.number) + ": " + reason;
            return false;
        }
    }
    for (const ScriptLine& line : lines) {
        const std::string reason = runLine(line.words, 0);
        if (!reason.empty()) {
            error = "line " + std::to_string(line.number) + ": " + reason;
            hookLog.add("script stopped: " + error);
            return false;
        }
    }
    return true;
}

bool HeadlessDriver::runScriptFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read the script " + path;
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return runScript(text.str());
}

void HeadlessDriver::addBuiltInCommands()
{
    auto number = [](const std::string& word, int& value, const char* what) -> std::string {
        if (!DriverScript::toInt(word, value))
            return std::string(what) + " is not a number: '" + word + "'";
        return std::string();
    };
    auto needsRunning = [](HeadlessDriver& d) -> std::string {
        return d.isRunning() ? std::string() : std::string("the loop is not running");
    };

    addCommand("step", 0, 1, [number, needsRunning](HeadlessDriver& d, const std::vector<std::string>& a) {
        int frames = 1;
        if (!a.empty()) {
            std::string r = number(a[0], frames, "frame count");
            if (!r.empty())
                return r;
        }
        std::string r = needsRunning(d);
        if (!r.empty())
            return r;
        d.step(frames);
        return std::string();
    });
    // Word counts of "frame" are checked by checkLine.
    addCommand("frame", 1, 1, [number, needsRunning](HeadlessDriver& d, const std::vector<std::string>& a) {
        int target = 0;
        std::string r = number(a[0], target, "frame");
        if (!r.empty())
            return r;
        if (target < 1 || static_cast<uint64_t>(target) <= d.frame())
            return "frame " + a[0] + " has already been run (now " + std::to_string(d.frame()) + ")";
        while (d.isRunning() && d.frame() + 1 < static_cast<uint64_t>(target))
            d.step(1);
        return needsRunning(d);
    });
    addCommand("wait", 1, 1, [number, needsRunning](HeadlessDriver& d, const std::vector<std::string>& a) {
        int ms = 0;
        std::string r = number(a[0], ms, "wait");
        if (!r.empty())
            return r;
        if (ms < 0)
            return std::string("wait needs a time of 0 or more");
        if (d.delayMode == DelayMode::Skip && ms > 0)
            return std::string("wait cannot pass time while the frame delay is skipped");
        const uint64_t until = d.now() + static_cast<uint64_t>(ms);
        std::optional<QuickFrames> quick;
        if (d.quickWaits)
            quick.emplace(d);
        while (d.isRunning() && d.now() < until)
            d.step(1);
        return needsRunning(d);
    });
    addCommand("stall", 1, 1, [number](HeadlessDriver& d, const std::vector<std::string>& a) {
        int ms = 0;
        std::string r = number(a[0], ms, "stall");
        if (!r.empty())
            return r;
        if (ms < 0)
            return std::string("stall needs a time of 0 or more");
        d.advanceTime(static_cast<uint32_t>(ms));
        return std::string();
    });
    auto keyCommand = [](bool down, bool up) {
        return [down, up](HeadlessDriver& d, const std::vector<std::string>& a) {
            KeyChord chord;
            if (!KeyNames::parse(a[0], chord))
                return "unknown key '" + a[0] + "'";
            if (down)
                d.keyDown(chord);
            if (up)
                d.keyUp(chord);
            return std::string();
        };
    };
    addCommand("key", 1, 1, keyCommand(true, true));
    addCommand("keydown", 1, 1, keyCommand(true, false));
    addCommand("keyup", 1, 1, keyCommand(false, true));
    addCommand("mouse", 2, 4, [number](HeadlessDriver& d, const std::vector<std::string>& a) {
        const std::string& what = a[0];
        if (what == "wheel") {
            if (a.size() != 2 || (a[1] != "up" && a[1] != "down"))
                return std::string("mouse wheel takes up or down");
            d.wheel(a[1] == "up");
            return std::string();
        }
        if (a.size() < 3)
            return "mouse " + what + " needs X and Y";
        int x = 0, y = 0;
        std::string r = number(a[1], x, "X");
        if (r.empty())
            r = number(a[2], y, "Y");
        if (!r.empty())
            return r;
        int button = SDL_BUTTON_LEFT;
        if (a.size() == 4 && !parseButton(a[3], button))
            return "unknown button '" + a[3] + "' (left, right, middle)";
        if (what == "move") {
            if (a.size() != 3)
                return std::string("mouse move takes X and Y only");
            d.mouseMove(x, y);
        } else if (what == "down" || what == "up") {
            d.mouseButton(x, y, button, what == "down");
        } else if (what == "click") {
            d.click(x, y, button);
        } else {
            return "unknown mouse action '" + what + "' (move, down, up, click, wheel)";
        }
        return std::string();
    });
    addCommand("quit", 0, 0, [](HeadlessDriver& d, const std::vector<std::string>&) {
        d.quitEvent();
        return std::string();
    });
    addCommand("focus", 1, 1, [](HeadlessDriver& d, const std::vector<std::string>& a) {
        if (a[0] != "lost" && a[0] != "gained")
            return std::string("focus takes lost or gained");
        d.focusEvent(a[0] == "gained");
        return std::string();
    });
    addCommand("shot", 1, 1, [needsRunning](HeadlessDriver& d, const std::vector<std::string>& a) {
        std::string r = needsRunning(d);
        if (!r.empty())
            return r;
        return d.shot(a[0]) ? std::string() : "the frame could not be written to " + a[0];
    });
    addCommand("dump", 0, 0, [](HeadlessDriver& d, const std::vector<std::string>&) {
        d.log().add("dump\n" + d.dumpState());
        return std::string();
    });
    addCommand("log", 1, 1000, [](HeadlessDriver& d, const std::vector<std::string>& a) {
        d.log().add(joinFrom(a, 0));
        return std::string();
    });
}
