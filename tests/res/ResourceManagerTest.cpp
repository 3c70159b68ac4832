#include "engine/res/ResourceManager.h"

#include "tests/res/ResourceDoubles.h"

#include <gtest/gtest.h>

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

TEST(ResourceManager, RegisteringUnderATakenIdDeletesOnlyTheOldObject)
{
    Journal journal;
    ResourceManager manager;
    auto* oldFont = new JournalFont(journal, "old");
    auto* newFont = new JournalFont(journal, "new");
    manager.registerFont("FONT_A", oldFont);
    manager.registerFont("FONT_B", new JournalFont(journal, "other"));
    manager.registerFont("FONT_A", newFont);
    EXPECT_EQ(journal, Journal{"delete font old"});
    EXPECT_EQ(manager.getFont("FONT_A"), newFont);

    journal.clear();
    auto* newMusic = new JournalMusic(journal, "new");
    manager.registerMusic("MUSIC_01", new JournalMusic(journal, "old"));
    manager.registerMusic("MUSIC_01", newMusic);
    EXPECT_EQ(journal, Journal{"delete music old"});
    EXPECT_EQ(manager.getMusic("MUSIC_01"), newMusic);

    journal.clear();
    auto* newSound = new JournalSound(journal, "new");
    manager.registerSound("CLICK_0", new JournalSound(journal, "old"));
    manager.registerSound("CLICK_0", newSound);
    EXPECT_EQ(journal, Journal{"delete sound old"});
    EXPECT_EQ(manager.getSound("CLICK_0"), newSound);
}

TEST(ResourceManager, RegisteringTheHeldObjectUnderItsOwnIdKeepsIt)
{
    Journal journal;
    ResourceManager manager;
    auto* font = new JournalFont(journal, "f");
    auto* music = new JournalMusic(journal, "m");
    auto* sound = new JournalSound(journal, "s");
    for (int i = 0; i < 2; ++i) {
        manager.registerFont("FONT", font);
        manager.registerMusic("MUSIC", music);
        manager.registerSound("SOUND", sound);
    }
    EXPECT_TRUE(journal.empty());
    // Still alive and owned once: the manager's walk and destructor reach each once.
    manager.releaseGpuResources(ResourceManager::FontResources);
    EXPECT_EQ(journal, Journal{"release font f"});
}

TEST(ResourceManager, UnknownIdsGiveNullAndOneLineOnStandardErrorNamingKindAndId)
{
    Journal journal;  // outlives the manager, whose destructor writes to it
    ResourceManager manager;
    manager.registerFont("FONT_ARIAL14", new JournalFont(journal, "arial"));

    const auto expectOneLineNaming = [](const char* kind, const std::string& err) {
        SCOPED_TRACE(kind);
        EXPECT_NE(err.find(kind), std::string::npos) << err;
        EXPECT_NE(err.find("NOPE_ID"), std::string::npos) << err;
        EXPECT_EQ(err.find('\n'), err.size() - 1) << "exactly one line expected: " << err;
    };
    CaptureStderr();
    EXPECT_EQ(manager.getFont("NOPE_ID"), nullptr);
    expectOneLineNaming("font", GetCapturedStderr());
    CaptureStderr();
    EXPECT_EQ(manager.getMusic("NOPE_ID"), nullptr);
    expectOneLineNaming("music", GetCapturedStderr());
    CaptureStderr();
    EXPECT_EQ(manager.getSound("NOPE_ID"), nullptr);
    expectOneLineNaming("sound", GetCapturedStderr());
    CaptureStderr();
    EXPECT_EQ(manager.getTexture("NOPE_ID"), nullptr);
    expectOneLineNaming("texture", GetCapturedStderr());

    // findTexture is the lookup allowed to miss: no message.
    CaptureStderr();
    EXPECT_EQ(manager.findTexture("NOPE_ID"), nullptr);
    EXPECT_EQ(GetCapturedStderr(), "");
}
