// The screen stack and the application's managers, without a window: the
// order of the calls the stack makes on screens, deletion through popped(),
// the extra resource-manager slots and the process-wide pointers.
#include "engine/app/SDLGameApp.h"
#include "engine/core/AppContext.h"
#include "engine/core/Log.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/SaveGame.h"
#include "engine/store/SaveGameEntry.h"
#include "tests/app/ProbeScreen.h"
#include "tests/driver/DriverApp.h"
#include "tests/driver/HookLog.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

class GameAppStack : public ::testing::Test {
protected:
    HookLog log;
    std::unique_ptr<DriverApp> app = std::make_unique<DriverApp>(log);

    ProbeScreen* probe(const std::string& name) { return new ProbeScreen(name, log); }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> out;
        for (const HookLogEntry& e : log.entries())
            out.push_back(e.text);
        return out;
    }
};

using Lines = std::vector<std::string>;

// A store that only reports its deletion.
class NoteDeletionStore : public SaveGame {
public:
    NoteDeletionStore(HookLog& log, std::string name) : log(log), name(std::move(name)) {}
    ~NoteDeletionStore() override { log.add(name + " deleted"); }
    bool save() override { return true; }
    bool load() override { return true; }
    bool write(const void*, std::size_t) override { return true; }
    bool read(void*, std::size_t) override { return false; }
    std::size_t bytesLeft() const override { return 0; }

private:
    HookLog& log;
    std::string name;
};

} // namespace

TEST_F(GameAppStack, ShowPushAndPopCallTheScreensInOrder)
{
    ProbeScreen* a = probe("A");
    app->showScreen(a);
    app->showScreen(probe("B"));
    EXPECT_EQ(texts(), (Lines{"A show", "A loadResources", "A enter", "A build", "B show", "B loadResources",
                              "A deactivate", "B enter", "B build"}));
    EXPECT_FALSE(a->isActive());
    EXPECT_EQ(app->topScreen()->getName(), "B");

    log.clear();
    app->popScreen();
    EXPECT_EQ(texts(), (Lines{"B popped", "B deleted", "A activate"}));
    EXPECT_TRUE(a->isActive());
    EXPECT_EQ(app->topScreen(), a);

    log.clear();
    app->closeScreen(nullptr);  // pops the top, whatever the argument
    EXPECT_EQ(texts(), (Lines{"A popped", "A deleted"}));
    EXPECT_EQ(app->topScreen(), nullptr);

    log.clear();
    app->popScreen();  // empty: nothing
    EXPECT_TRUE(texts().empty());
}

TEST_F(GameAppStack, ReplaceScreenPopsTheTopAndShowsTheNewOne)
{
    app->showScreen(probe("A"));
    app->showScreen(probe("B"));
    log.clear();
    app->replaceScreen(probe("C"));
    // The screen below is not activated in between: C's push covers it again.
    EXPECT_EQ(texts(), (Lines{"B popped", "B deleted", "C show", "C loadResources", "A deactivate", "C enter",
                              "C build"}));
    ASSERT_EQ(app->getScreens().size(), 2u);
    EXPECT_EQ(app->getScreens()[1]->getName(), "C");
}

TEST_F(GameAppStack, ReplaceScreenOnAnEmptyStackDeletesTheScreen)
{
    app->replaceScreen(probe("Lonely"));
    EXPECT_EQ(texts(), (Lines{"Lonely deleted"}));
    EXPECT_TRUE(app->getScreens().empty());
}

TEST_F(GameAppStack, DestructionDeletesScreensTopDownWithoutActivating)
{
    app->showScreen(probe("A"));
    app->showScreen(probe("B"));
    app->showScreen(probe("C"));
    log.clear();
    app.reset();
    EXPECT_EQ(texts(), (Lines{"C popped", "C deleted", "B popped", "B deleted", "A popped", "A deleted"}));
}

TEST_F(GameAppStack, TheApplicationIsInstalledForItsLifetime)
{
    EXPECT_EQ(appContext(), app.get());
    EXPECT_EQ(GameApp::instance(), app.get());
    EXPECT_EQ(SDLGameApp::instance(), app.get());
    EXPECT_EQ(app->getCaption(), "QuarnGameEngine app");
    EXPECT_NE(app->getClock(), nullptr);
    EXPECT_NE(app->getResources(), nullptr);
    EXPECT_NE(app->getLabels(), nullptr);
    EXPECT_NE(app->getSoundSystem(), nullptr);
    EXPECT_EQ(app->getGameId(), "UNIMPLEMENTED");
    app.reset();
    EXPECT_EQ(appContext(), nullptr);
    EXPECT_EQ(GameApp::instance(), nullptr);
    EXPECT_EQ(SDLGameApp::instance(), nullptr);
}

TEST_F(GameAppStack, ExtraResourceManagerSlotsAreNeverReused)
{
    int first = -1, second = -1, third = -1;
    ResourceManager* m0 = app->createResourceManager(first);
    ResourceManager* m1 = app->createResourceManager(second);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    EXPECT_NE(m0, m1);
    EXPECT_EQ(app->getExtraResources(1), m1);

    app->destroyResourceManager(0);
    EXPECT_EQ(app->getExtraResources(0), nullptr);
    EXPECT_EQ(app->getExtraResources(1), m1);
    app->createResourceManager(third);
    EXPECT_EQ(third, 2);

    app->destroyResourceManager(0);  // already empty: nothing
    const int errorsBefore = errorCount();
    app->destroyResourceManager(7);  // never handed out
    app->destroyResourceManager(-1);
    EXPECT_EQ(errorCount(), errorsBefore + 2);
    EXPECT_EQ(app->getExtraResources(1), m1);
}

TEST_F(GameAppStack, WithoutAWindowNothingRunsOrDraws)
{
    app->showScreen(probe("A"));
    ProbeScreen* a = static_cast<ProbeScreen*>(app->topScreen());
    a->setLogDraws(true);
    log.clear();
    app->run();  // returns at once
    app->renderFrame();
    app->setFullscreen(true);
    EXPECT_FALSE(app->captureScreen("/tmp/never-written.bmp"));
    EXPECT_TRUE(texts().empty()) << log.dump();
    EXPECT_FALSE(app->isFullscreen());
}

TEST_F(GameAppStack, UnicodeToCharKeepsOnlyEightBitValues)
{
    EXPECT_EQ(app->unicodeToChar('a'), 'a');
    EXPECT_EQ(app->unicodeToChar(0xE9), 0xE9);
    EXPECT_EQ(app->unicodeToChar(0x20AC), 0);
    EXPECT_EQ(app->unicodeToChar(-1), 0);
}

TEST_F(GameAppStack, TheSaveStoreBelongsToTheApplication)
{
    app->setSaveGame(new NoteDeletionStore(log, "first"));
    app->setSaveGame(new NoteDeletionStore(log, "second"));
    EXPECT_EQ(texts(), (Lines{"first deleted"}));
    app.reset();
    EXPECT_EQ(texts(), (Lines{"first deleted", "second deleted"}));
}
