#pragma once
// Drives the real game (QuillendarApp over the generated content) through a
// HeadlessDriver, and adds the game's script commands and state dump to it.
//
// Game commands (besides HeadlessDriver's):
//   profile NAME MODE        a new profile (play mode 0 casual, 1 fearless),
//                            made current with a fresh game started
//   flow N                   every screen goes; the flow moves to entry N
//                            (and the profile with it) and its screen shows
//   scene ID                 `flow` at the first "scene" entry with that sceneId
//   open TYPE [NAME=VALUE]...
//                            a screen of that type from the flow's creators,
//                            shown over the current one (the flow stays)
//   dump                     the engine's dump and the game dump into the log
//   expect KEY [VALUE...]    fails unless the game dump's KEY holds exactly
//                            VALUE (the words joined by one blank; none: empty)
//   save                     writes the save file now
//   exit                     ends the game the way a confirmed quit does
//                            (the exit saves); later frames do nothing
//   ends MS                  runs frames until the game has ended (a quit
//                            confirmed by input); fails when it still runs
//                            after MS ms
//   signal TERM|INT|HUP      raises that signal in the process: the game
//                            ends through its exit path, as `exit`
// and those of the probes (minigame, tune: tests/driver/MiniGameDriver.h).
//
// The game dump is one "key=value" line per item:
//   top, stack               the top screen's class, all classes bottom first
//   top.state                entering, idle, leaving (none without a screen)
//   flow.index
//   profile                  name, or "none"; then profile.mode, .score,
//                            .flowIndex, .savedStep, .gameStarted
//   quests.current, quests.done, quests.open   (ids, comma-separated)
//   registry.G               group G's items as sceneId:itemIndex, blank-separated
// and whatever the probes add (addProbe; GameDriverProbes.cpp adds every
// screen family's lines and commands, e.g. SceneDriverSupport.h).
#include "tests/driver/HeadlessDriver.h"

#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

class QuillendarApp;
class ScreenBase;

class GameDriver {
public:
    using DumpLines = std::vector<std::pair<std::string, std::string>>;
    // Adds lines about the top screen (may be null) to the dump.
    using Probe = std::function<void(ScreenBase* top, DumpLines& out)>;

    // Adds the game commands to `driver` (not owned; it must outlive this).
    explicit GameDriver(HeadlessDriver& driver);
    ~GameDriver();
    GameDriver(const GameDriver&) = delete;
    GameDriver& operator=(const GameDriver&) = delete;

    // Builds the application from the working folder's content with APPDATA
    // as it is set, opens its window and starts the driver. False, with the
    // reason in `error`, when the tuning file is missing or the window or SDL
    // failed.
    bool startGame(std::string& error);
    QuillendarApp* app() const { return game.get(); }
    HeadlessDriver& driver() { return headless; }

    void addProbe(Probe probe) { probes.push_back(std::move(probe)); }

    // The game dump above.
    DumpLines gameState() const;
    std::string dumpGame() const;
    // The value of one dump key, or "" when the dump has no such key.
    std::string stateValue(const std::string& key) const;

    // The commands' work, for C++ callers; "" on success, else why not.
    std::string newProfile(const std::string& name, int playMode);
    std::string showFlowEntry(int index);
    std::string showScene(int sceneId);
    std::string openScreen(const std::string& type, const std::vector<std::string>& attributes);

    // The class name of a screen ("QDScene"), or "none" for null.
    static std::string className(const ScreenBase* screen);
    // The demangled name of a type.
    static std::string typeName(const std::type_info& type);
    // Deletes every game-wide service the application fills at start-up.
    static void resetServices();

private:
    void addCommands();

    HeadlessDriver& headless;
    std::unique_ptr<QuillendarApp> game;
    std::vector<Probe> probes;
};
