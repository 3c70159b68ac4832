#pragma once
// Shared pieces of the tests of the game's simple screens: a fake
// application with a screen stack that counts quit requests, a screen that
// records its creation for the game flow, quest and tuning fixtures, and
// helpers that run frames and click buttons.
#include "engine/store/ConfigFile.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/ScreenBase.h"
#include "game/GameFlow.h"
#include "game/ItemRegistry.h"
#include "game/PlayerProfiles.h"
#include "game/QuestManager.h"
#include "tests/support/TempFolder.h"
#include "tests/ui/FakeScreenStack.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class ResourceManager;

// The fake application: a screen stack, the quit requests counted, and an
// optional application resource manager (not owned).
class ScreenTestApp : public FakeScreenStack {
public:
    void requestQuit() override { ++quitRequests; }
    void requestQuitNow() override { ++quitNowRequests; }
    ResourceManager* getResources() override { return resources; }

    ScreenBase* top() const { return stack.empty() ? nullptr : stack.back(); }
    // Runs frames of `ms` each (the game clock moves with them).
    void frames(int count, int ms = 50)
    {
        for (int i = 0; i < count; ++i) {
            advance(static_cast<uint64_t>(ms));
            updateFrame(ms);
        }
    }

    int quitRequests = 0;
    int quitNowRequests = 0;
    ResourceManager* resources = nullptr;
};

// A screen made by the flow's "spy" creator: nothing to load or build; it
// keeps the attributes it was made from.
class SpyScreen : public ScreenBase {
public:
    explicit SpyScreen(const ScreenAttributes& attributes)
        : ScreenBase("spy")
        , tag(attributes.count("tag") ? attributes.at("tag") : std::string())
    {
    }
    void loadResources() override {}
    void build() override {}

    std::string tag;
};

// Fresh quest, flow, profile and item singletons for every test, the
// tuning table cleared.
class SingletonReset {
public:
    SingletonReset() { reset(); }
    ~SingletonReset() { reset(); }
    static void reset()
    {
        setGameParameters(nullptr);
        QuestManager::destroyInstance();
        GameFlow::destroyInstance();
        PlayerProfiles::destroyInstance();
        ItemRegistry::destroyInstance();
    }
    SingletonReset(const SingletonReset&) = delete;
    SingletonReset& operator=(const SingletonReset&) = delete;
};

// `count` quests: quest i is on location `screenOf(i)`, opens quest i + 1 and
// needs quest i. Loaded into the quest singleton and reset (quest 0 open and
// current).
inline void loadQuestChain(TempFolder& folder, int count, int (*screenOf)(int) = nullptr)
{
    std::string xml = "<GamePlay>\n";
    for (int i = 0; i < count; ++i) {
        const int screen = screenOf ? screenOf(i) : i;
        const std::string opens = i + 1 < count ? std::to_string(i + 1) : std::string();
        xml += "<Quest id=\"" + std::to_string(i) + "\" screenId=\"" + std::to_string(screen) +
               "\" stage=\"0\" opens=\"" + opens + "\" needs=\"" + std::to_string(i > 0 ? i - 1 : -1) +
               "\" emptyContainer=\"false\" correctLocationStage=\"true\"/>\n";
    }
    xml += "</GamePlay>\n";
    ASSERT_TRUE(QuestManager::instance()->load(folder.write("Quests.xml", xml)));
    QuestManager::instance()->reset();
}

// A flow of `count` "spy" entries tagged "0", "1", ... and the spy creator.
inline void loadSpyFlow(TempFolder& folder, int count)
{
    std::string xml = "<GameFlow>\n";
    for (int i = 0; i < count; ++i)
        xml += "<Screen type=\"spy\" tag=\"" + std::to_string(i) + "\"/>\n";
    xml += "</GameFlow>\n";
    GameFlow* flow = GameFlow::instance();
    ASSERT_TRUE(flow->load(folder.write("GameFlow.xml", xml)));
    flow->registerFactory("spy", [](const ScreenAttributes& a) -> ScreenBase* { return new SpyScreen(a); });
}

// Sends pointer move, press and release at (x, y) to the top screen: a click
// on whatever button lies there.
inline void clickAt(ScreenTestApp& app, int x, int y)
{
    ScreenBase* screen = app.top();
    ASSERT_NE(screen, nullptr);
    app.mouse = Point{x, y};
    MouseEvent move;
    move.x = x;
    move.y = y;
    screen->onMouse(move);
    MouseEvent press = move;
    press.type = MouseEvent::Press;
    press.buttons = MouseEvent::Left;
    screen->onMouse(press);
    MouseEvent release = press;
    release.type = MouseEvent::Release;
    screen->onMouse(release);
}
