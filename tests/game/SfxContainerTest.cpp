// Sound effects by name, the scene music table and the game's UI services.
#include "game/GameUiServices.h"
#include "game/SceneMusic.h"
#include "game/SfxContainer.h"

#include "engine/audio/Sound.h"
#include "engine/res/ResourceManager.h"
#include "tests/anim/FakeAppContext.h"
#include "tests/audio/MixerTestSupport.h"
#include "tests/res/ResourceDoubles.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using Ids = std::vector<std::string>;

// An application that hands out extra resource managers and records what
// comes back.
class ManagerApp : public FakeAppContext {
public:
    ResourceManager* createResourceManager(int& index) override
    {
        index = static_cast<int>(managers.size()) + 10;
        managers.push_back(std::make_unique<ResourceManager>());
        return managers.back().get();
    }
    void destroyResourceManager(int index) override
    {
        destroyed.push_back(index);
        managers.at(static_cast<size_t>(index - 10)).reset();
    }
    std::vector<std::unique_ptr<ResourceManager>> managers;
    std::vector<int> destroyed;
};

class SfxContainerTest : public ::testing::Test {
protected:
    std::string sfx(const std::string& body, const std::string& root = "SFX")
    {
        return folder.write("sfx.xml", "<" + root + " defaultPath=\"sounds/\">\n" + body + "</" + root + ">\n");
    }
    TempFolder folder;
};

}  // namespace

TEST_F(SfxContainerTest, VariantsOfANameAreNumberedInFileOrder)
{
    SfxContainer container;
    ASSERT_TRUE(container.loadSfx(sfx(
        "<RandomSound name=\"N\"><Sound path=\"a.wav\"/><Sound path=\"b.wav\"/><Sound path=\"c.wav\"/></RandomSound>\n"
        "<Sound name=\"N\" path=\"d.wav\"/>\n"
        "<Sound name=\"ONE\" path=\"e.wav\"/>\n")));
    EXPECT_TRUE(container.isLoaded());
    EXPECT_EQ(container.variantIds("N"), (Ids{"N_0", "N_1", "N_2", "N_3"}));
    EXPECT_EQ(container.variantIds("ONE"), Ids{"ONE_0"});

    ResourceManager* rm = container.getResources();
    ASSERT_NE(rm, nullptr);
    for (const char* id : {"N_0", "N_1", "N_2", "N_3", "ONE_0"})
        EXPECT_NE(rm->getSound(id), nullptr) << id;
    EXPECT_EQ(container.getSound("N"), rm->getSound("N_0"));
    EXPECT_EQ(rm->getSound("N_3")->getPath(), "sounds/d.wav") << "defaultPath joined as it is";
    EXPECT_EQ(container.getSound("NOPE"), nullptr);
}

TEST_F(SfxContainerTest, ElementsWithoutNameOrPathAddNothing)
{
    SfxContainer container;
    ASSERT_TRUE(container.loadSfx(sfx(
        "<Sound name=\"\" path=\"a.wav\"/><Sound name=\"A\" path=\"\"/><Sound name=\"B\"/><Sound path=\"c.wav\"/>\n"
        "<RandomSound name=\"\"><Sound path=\"d.wav\"/></RandomSound>\n"
        "<RandomSound name=\"R\"><Sound path=\"\"/><Sound/><Sound path=\"r.wav\"/></RandomSound>\n"
        "<Music name=\"M\" path=\"m.wav\"/>\n")));
    EXPECT_TRUE(container.variantIds("").empty());
    EXPECT_TRUE(container.variantIds("A").empty());
    EXPECT_TRUE(container.variantIds("B").empty());
    EXPECT_TRUE(container.variantIds("M").empty());
    EXPECT_EQ(container.variantIds("R"), Ids{"R_0"});
    EXPECT_EQ(container.getResources()->getSound("R_0")->getPath(), "sounds/r.wav");
}

TEST_F(SfxContainerTest, AFileThatIsNotAnEffectListLeavesItUnloaded)
{
    SfxContainer container;
    EXPECT_FALSE(container.loadSfx(folder.missing("sfx.xml")));
    EXPECT_FALSE(container.loadSfx(sfx("<Sound name=\"X\" path=\"x.wav\"/>", "Sounds")));
    EXPECT_FALSE(container.loadSfx(folder.write("broken.xml", "<SFX><Sound name=\"X\"")));
    EXPECT_FALSE(container.isLoaded());
    EXPECT_TRUE(container.variantIds("X").empty());
    container.playSound("X", false);
    container.stopSound("X");
    EXPECT_EQ(container.getSound("X"), nullptr);
}

TEST_F(SfxContainerTest, TheManagerComesFromTheApplicationAndGoesBackToIt)
{
    ManagerApp app;
    {
        SfxContainer container;
        ASSERT_EQ(app.managers.size(), 1u);
        EXPECT_EQ(container.getResources(), app.managers[0].get());
        ASSERT_TRUE(container.loadSfx(sfx("<Sound name=\"A\" path=\"a.wav\"/>")));
        EXPECT_NE(app.managers[0]->getSound("A_0"), nullptr);
    }
    EXPECT_EQ(app.destroyed, std::vector<int>{10});
}

TEST_F(SfxContainerTest, TheSingletonIsDestroyedExplicitlyBeforeTheApplication)
{
    {
        ManagerApp app;
        SfxContainer* container = SfxContainer::instance();
        EXPECT_EQ(SfxContainer::instance(), container);
        SfxContainer::destroyInstance();
        EXPECT_EQ(app.destroyed, std::vector<int>{10});
        EXPECT_EQ(SfxContainer::existingInstance(), nullptr);

        // One made while this application runs but outliving it must not
        // touch the manager the application took with it.
        SfxContainer::instance();
    }
    EXPECT_EQ(appContext(), nullptr);
    SfxContainer::destroyInstance();
}

// ---------------------------------------------------------------------------
// Playing through the mixer (disk audio driver of the test environment).

class SfxPlayTest : public MixerFixture {};

TEST_F(SfxPlayTest, PlaysAndStopsAVariant)
{
    const std::string wav = cdWav("over.wav", 2000);
    TempFolder folder;
    const std::string list = folder.write("sfx.xml", "<SFX><Sound name=\"BUTTON_OVER\" path=\"" + wav + "\"/></SFX>");
    SfxContainer container;
    ASSERT_TRUE(container.loadSfx(list));
    Sound* sound = container.getSound("BUTTON_OVER");
    ASSERT_NE(sound, nullptr);

    freezeMixing();
    container.playSound("BUTTON_OVER", false);
    EXPECT_TRUE(sound->isPlaying());
    container.stopSound("BUTTON_OVER");
    EXPECT_FALSE(sound->isPlaying());

    container.playSound("BUTTON_OVER", true);
    EXPECT_TRUE(sound->isPlaying());
    container.stopSound("BUTTON_OVER");
    EXPECT_FALSE(sound->isPlaying());

    container.playSound("UNKNOWN", false);
    EXPECT_FALSE(sound->isPlaying());
}

TEST_F(SfxPlayTest, RandomPicksReachEveryVariant)
{
    const std::string a = cdWav("a.wav", 2000);
    const std::string b = cdWav("b.wav", 2000);
    TempFolder folder;
    const std::string list = folder.write("sfx.xml", "<SFX><RandomSound name=\"R\"><Sound path=\"" + a +
                                                         "\"/><Sound path=\"" + b + "\"/></RandomSound></SFX>");
    SfxContainer container;
    ASSERT_TRUE(container.loadSfx(list));
    Sound* first = container.getResources()->getSound("R_0");
    Sound* second = container.getResources()->getSound("R_1");

    freezeMixing();
    std::set<int> seen;
    for (int i = 0; i < 64 && seen.size() < 2; ++i) {
        container.playSound("R", false);
        if (first->isPlaying())
            seen.insert(0);
        if (second->isPlaying())
            seen.insert(1);
        container.stopSound("R");
        EXPECT_FALSE(first->isPlaying() || second->isPlaying());
    }
    EXPECT_EQ(seen.size(), 2u);
}

// ---------------------------------------------------------------------------
// Scene music.

TEST(SceneMusicTest, FilesGoToEveryIndexTheirSceneNames)
{
    TempFolder folder;
    SceneMusic music;
    ASSERT_TRUE(music.loadSceneMusic(folder.write("music.xml",
        "<SceneMusic path=\"content/music/\">\n"
        "  <Scene index=\"2,,4\"><Music file=\"a.ogg\"/><Music file=\"b.ogg\"/></Scene>\n"
        "  <Scene index=\"4\"><Music file=\"c.ogg\"/><Music/><Music file=\"\"/></Scene>\n"
        "  <Scene><Music file=\"lost.ogg\"/></Scene>\n"
        "</SceneMusic>\n")));
    EXPECT_EQ(music.tracksFor(2), (Ids{"a.ogg", "b.ogg"}));
    EXPECT_EQ(music.tracksFor(0), (Ids{"a.ogg", "b.ogg"}));
    // An empty file name is no track: the scene would play the folder.
    EXPECT_EQ(music.tracksFor(4), (Ids{"a.ogg", "b.ogg", "c.ogg"}));
    EXPECT_TRUE(music.tracksFor(1).empty());
    EXPECT_EQ(music.musicForScene(1), "");

    std::set<std::string> picks;
    for (int i = 0; i < 100; ++i)
        picks.insert(music.musicForScene(4));
    EXPECT_EQ(picks, (std::set<std::string>{"content/music/a.ogg", "content/music/b.ogg", "content/music/c.ogg"}));
    const std::string zero = music.musicForScene(0);
    EXPECT_TRUE(zero == "content/music/a.ogg" || zero == "content/music/b.ogg") << zero;
}

TEST(SceneMusicTest, AFileThatIsNotAMusicTableGivesNoMusic)
{
    TempFolder folder;
    SceneMusic music;
    EXPECT_FALSE(music.loadSceneMusic(folder.missing("music.xml")));
    EXPECT_FALSE(music.loadSceneMusic(folder.write("w.xml", "<Music path=\"x/\"><Scene index=\"0\"><Music file=\"a\"/></Scene></Music>")));
    EXPECT_EQ(music.musicForScene(0), "");
    EXPECT_EQ(music.getFolder(), "");
}

// ---------------------------------------------------------------------------
// The widgets' view of sounds and fonts.

TEST(GameUiServicesTest, FontsComeFromTheManagerById)
{
    Journal journal;
    ResourceManager fonts;
    Font* trisk = new JournalFont(journal, "trisk");
    Font* times16 = new JournalFont(journal, "t16");
    Font* times24 = new JournalFont(journal, "t24");
    fonts.registerFont("FONT_TRISK10", trisk);
    fonts.registerFont("FONT_TIMES16", times16);
    fonts.registerFont("FONT_TIMES24", times24);
    GameUiServices services(&fonts);
    EXPECT_EQ(services.tooltipFont(), trisk);
    EXPECT_EQ(services.listFont(), times16);
    EXPECT_EQ(services.inputFont(), times24);

    GameUiServices none(nullptr);
    EXPECT_EQ(none.tooltipFont(), nullptr);
}

TEST(GameUiServicesTest, SoundsCountAsLoadedOnlyOnceTheListIsRead)
{
    SfxContainer::destroyInstance();
    GameUiServices services(nullptr);
    setUiServices(&services);
    EXPECT_FALSE(services.soundsLoaded());
    services.playNamed("BUTTON_OVER");
    playUiSound("BUTTON_OVER");
    EXPECT_EQ(SfxContainer::existingInstance(), nullptr) << "asking must not create the container";

    SfxContainer::instance();
    EXPECT_FALSE(services.soundsLoaded());
    TempFolder folder;
    ASSERT_TRUE(SfxContainer::instance()->loadSfx(folder.write("sfx.xml", "<SFX/>")));
    EXPECT_TRUE(services.soundsLoaded());
    SfxContainer::destroyInstance();
    EXPECT_FALSE(services.soundsLoaded());
}

TEST(GameUiServicesTest, UninstallsItselfWhenDestroyed)
{
    {
        GameUiServices services(nullptr);
        setUiServices(&services);
    }
    EXPECT_EQ(uiServices(), nullptr);
}
