#include "tests/driver/GameDriver.h"

#include "engine/store/ConfigFile.h"
#include "engine/store/SaveGame.h"
#include "engine/ui/ScreenBase.h"
#include "game/GameFlow.h"
#include "game/ItemRegistry.h"
#include "game/ItemState.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/Quest.h"
#include "game/QuestManager.h"
#include "game/SceneIndex.h"
#include "game/SceneMusic.h"
#include "game/SfxContainer.h"
#include "quillendar/QuillendarApp.h"
#include "tests/driver/DriverScript.h"

#include <cxxabi.h>

#include <csignal>
#include <cstdlib>
#include <typeinfo>

namespace {

std::string joinWords(const std::vector<std::string>& words, size_t first)
{
    std::string out;
    for (size_t i = first; i < words.size(); ++i) {
        if (i > first)
            out += ' ';
        out += words[i];
    }
    return out;
}

std::string joinInts(const std::vector<int>& values)
{
    std::string out;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i)
            out += ',';
        out += std::to_string(values[i]);
    }
    return out;
}

} // namespace

GameDriver::GameDriver(HeadlessDriver& driver) : headless(driver)
{
    // Game scripts wait through seconds of frames nobody sees.
    headless.setQuickWaits(true);
    addCommands();
}

GameDriver::~GameDriver()
{
    // The application goes before the driver's fake time does.
    game.reset();
    resetServices();
}

void GameDriver::resetServices()
{
    QuestManager::destroyInstance();
    GameFlow::destroyInstance();
    SceneIndex::destroyInstance();
    SceneMusic::destroyInstance();
    SfxContainer::destroyInstance();
    ItemRegistry::destroyInstance();
    // Owned by the save store while an application lives; by now it is gone.
    PlayerProfiles::destroyInstance();
}

bool GameDriver::startGame(std::string& error)
{
    try {
        game = std::make_unique<QuillendarApp>();
    } catch (const ConfigFile::file_not_found& missing) {
        error = "missing " + missing.getFileName();
        return false;
    }
    headless.attach(*game);
    game->initApp();
    if (game->startupFailed() || !game->isWindowOpen()) {
        error = "the game did not start (see error.txt in the save folder)";
        return false;
    }
    if (!headless.start()) {
        error = "the driver could not start";
        return false;
    }
    return true;
}

std::string GameDriver::className(const ScreenBase* screen)
{
    return screen ? typeName(typeid(*screen)) : "none";
}

std::string GameDriver::typeName(const std::type_info& type)
{
    const char* mangled = type.name();
    int status = 0;
    char* plain = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = (status == 0 && plain) ? plain : mangled;
    std::free(plain);
    return name;
}

GameDriver::DumpLines GameDriver::gameState() const
{
    DumpLines out;
    ScreenBase* top = game ? game->topScreen() : nullptr;
    out.emplace_back("top", className(top));
    out.emplace_back("top.state", !top ? "none"
                                  : top->getState() == ScreenBase::Entering ? "entering"
                                  : top->getState() == ScreenBase::Leaving  ? "leaving"
                                                                            : "idle");
    std::string stack;
    if (game) {
        for (ScreenBase* s : game->getScreens())
            stack += (stack.empty() ? "" : " ") + className(s);
    }
    out.emplace_back("stack", stack);
    out.emplace_back("flow.index", std::to_string(GameFlow::instance()->index));

    PlayerProfile* profile = PlayerProfiles::instance()->currentProfile();
    out.emplace_back("profile", profile ? profile->getName() : "none");
    if (profile) {
        out.emplace_back("profile.mode", std::to_string(profile->getPlayMode()));
        out.emplace_back("profile.score", std::to_string(profile->getScore()));
        out.emplace_back("profile.flowIndex", std::to_string(profile->getFlowIndex()));
        out.emplace_back("profile.savedStep", std::to_string(profile->getSavedStep()));
        out.emplace_back("profile.gameStarted", profile->isGameStarted() ? "1" : "0");
    }

    QuestManager* quests = QuestManager::instance();
    std::vector<int> done, open;
    for (int i = 0; i < quests->questCount(); ++i) {
        const Quest* q = quests->questAt(i);
        if (q->done)
            done.push_back(i);
        else if (q->open)
            open.push_back(i);
    }
    out.emplace_back("quests.current", std::to_string(quests->currentId()));
    out.emplace_back("quests.done", joinInts(done));
    out.emplace_back("quests.open", joinInts(open));

    ItemRegistry* registry = ItemRegistry::instance();
    for (int group : registry->groupIds()) {
        std::string items;
        for (const ItemState* state : registry->itemsOfGroup(group, -1))
            items += (items.empty() ? "" : " ") + std::to_string(state->sceneId) + ":" +
                     std::to_string(state->itemIndex);
        out.emplace_back("registry." + std::to_string(group), items);
    }

    for (const Probe& probe : probes)
        probe(top, out);
    return out;
}

std::string GameDriver::dumpGame() const
{
    std::string text;
    for (const auto& [key, value] : gameState())
        text += key + "=" + value + "\n";
    return text;
}

std::string GameDriver::stateValue(const std::string& key) const
{
    for (const auto& [k, value] : gameState())
        if (k == key)
            return value;
    return std::string();
}

std::string GameDriver::newProfile(const std::string& name, int playMode)
{
    if (playMode != 0 && playMode != 1)
        return "play mode must be 0 or 1";
    PlayerProfiles* profiles = PlayerProfiles::instance();
    if (profiles->findByName(name))
        return "a profile named '" + name + "' exists";
    PlayerProfile* profile = profiles->addProfile(name, playMode);
    profiles->select(profiles->profileCount() - 1);
    if (profiles->currentProfile() != profile)
        return "the new profile did not become current";
    profile->setGameStarted(true);
    return std::string();
}

std::string GameDriver::showFlowEntry(int index)
{
    if (!game)
        return "no game";
    GameFlow* flow = GameFlow::instance();
    if (index < 0 || index >= flow->entryCount())
        return "flow entry " + std::to_string(index) + " is outside the flow (" + std::to_string(flow->entryCount()) +
               " entries)";
    while (game->topScreen())
        game->popScreen();
    flow->index = index;
    if (PlayerProfile* profile = PlayerProfiles::instance()->currentProfile())
        profile->setFlowIndex(index);
    ScreenBase* screen = flow->nextScreen(false);
    if (!screen)
        return "flow entry " + std::to_string(index) + " made no screen";
    game->showScreen(screen);
    return std::string();
}

std::string GameDriver::showScene(int sceneId)
{
    GameFlow* flow = GameFlow::instance();
    for (int i = 0; i < flow->entryCount(); ++i) {
        const GameFlowEntry* entry = flow->entryAt(i);
        if (entry->type != "scene")
            continue;
        auto it = entry->attributes.find("sceneId");
        if (it != entry->attributes.end() && std::atoi(it->second.c_str()) == sceneId)
            return showFlowEntry(i);
    }
    return "no scene entry with sceneId " + std::to_string(sceneId) + " in the flow";
}

std::string GameDriver::openScreen(const std::string& type, const std::vector<std::string>& attributes)
{
    if (!game)
        return "no game";
    ScreenAttributes map;
    for (const std::string& word : attributes) {
        const size_t eq = word.find('=');
        if (eq == std::string::npos || eq == 0)
            return "attribute '" + word + "' is not NAME=VALUE";
        map[word.substr(0, eq)] = word.substr(eq + 1);
    }
    ScreenBase* screen = GameFlow::instance()->createScreen(type, map);
    if (!screen)
        return "no screen of type '" + type + "'";
    game->showScreen(screen);
    return std::string();
}

void GameDriver::addCommands()
{
    using Args = std::vector<std::string>;
    headless.addCommand("profile", 2, 2, [this](HeadlessDriver&, const Args& a) {
        int mode = 0;
        if (!DriverScript::toInt(a[1], mode))
            return std::string("profile: mode is not a number");
        return newProfile(a[0], mode);
    });
    headless.addCommand("flow", 1, 1, [this](HeadlessDriver&, const Args& a) {
        int index = 0;
        if (!DriverScript::toInt(a[0], index))
            return std::string("flow: not a number");
        return showFlowEntry(index);
    });
    headless.addCommand("scene", 1, 1, [this](HeadlessDriver&, const Args& a) {
        int id = 0;
        if (!DriverScript::toInt(a[0], id))
            return std::string("scene: not a number");
        return showScene(id);
    });
    headless.addCommand("open", 1, 100, [this](HeadlessDriver&, const Args& a) {
        return openScreen(a[0], Args(a.begin() + 1, a.end()));
    });
    headless.addCommand("dump", 0, 0, [this](HeadlessDriver& d, const Args&) {
        d.log().add("dump\n" + d.dumpState() + dumpGame());
        return std::string();
    });
    headless.addCommand("expect", 1, 1000, [this](HeadlessDriver&, const Args& a) {
        const std::string want = joinWords(a, 1);
        bool found = false;
        std::string have;
        for (const auto& [key, value] : gameState()) {
            if (key == a[0]) {
                found = true;
                have = value;
                break;
            }
        }
        if (!found)
            return "expect: the dump has no key '" + a[0] + "'";
        if (have != want)
            return "expect " + a[0] + ": wanted '" + want + "', found '" + have + "'";
        return std::string();
    });
    headless.addCommand("save", 0, 0, [this](HeadlessDriver&, const Args&) {
        if (!game || !game->getSaveGame())
            return std::string("save: no save store");
        if (!game->getSaveGame()->save())
            return std::string("save: writing the save file failed");
        return std::string();
    });
    headless.addCommand("exit", 0, 0, [this](HeadlessDriver& d, const Args&) {
        if (!game)
            return std::string("exit: no game");
        game->requestQuitNow();
        for (int i = 0; i < 10 && d.isRunning(); ++i)
            d.step();
        return d.isRunning() ? std::string("exit: the loop did not end") : std::string();
    });
    headless.addCommand("ends", 1, 1, [](HeadlessDriver& d, const Args& a) {
        int ms = 0;
        if (!DriverScript::toInt(a[0], ms) || ms < 0)
            return std::string("ends: the time limit is not a number of ms");
        const uint64_t end = d.now() + static_cast<uint64_t>(ms);
        while (d.isRunning() && d.now() < end)
            d.step();
        return d.isRunning() ? "ends: the game still runs after " + a[0] + " ms" : std::string();
    });
    headless.addCommand("signal", 1, 1, [this](HeadlessDriver& d, const Args& a) {
        const int signal = a[0] == "TERM" ? SIGTERM : a[0] == "INT" ? SIGINT : a[0] == "HUP" ? SIGHUP : 0;
        if (signal == 0)
            return std::string("signal: TERM, INT or HUP");
        if (!game)
            return std::string("signal: no game");
        std::raise(signal);
        for (int i = 0; i < 10 && d.isRunning(); ++i)
            d.step();
        return d.isRunning() ? std::string("signal: the loop did not end") : std::string();
    });
}
