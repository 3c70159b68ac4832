// The periphery without a window: the options' settings through the save
// file, the high-score rows and the minigame jump table.
#include "engine/store/FileSaveGame.h"
#include "engine/store/GenericEntry.h"
#include "frontend/HighScoresMenu.h"
#include "frontend/MiniGamesMenu.h"
#include "frontend/OptionsSettings.h"
#include "game/HighScoreEntry.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

// A store with the application's four settings entries and its defaults.
std::unique_ptr<FileSaveGame> settingsStore(const std::string& path)
{
    auto store = std::make_unique<FileSaveGame>(path, nullptr);
    store->replaceEntry("SOUND_VOLUME", std::make_unique<GenericEntry<int>>(75));
    store->replaceEntry("MUSIC_VOLUME", std::make_unique<GenericEntry<int>>(50));
    store->replaceEntry("FULL_SCREEN", std::make_unique<GenericEntry<char>>(static_cast<char>(1)));
    store->replaceEntry("HARDWARE_CURSOR", std::make_unique<GenericEntry<char>>(static_cast<char>(0)));
    return store;
}

} // namespace

TEST(OptionsSettingsTest, ChangesAreWrittenToTheSaveFileAndReadBack)
{
    TempFolder folder;
    const std::string path = folder.path("save.dat");
    auto store = settingsStore(path);
    OptionsSettings settings(store.get());
    EXPECT_EQ(settings.getMusicVolume(), 50);
    EXPECT_TRUE(settings.isFullScreen());
    EXPECT_EQ(OptionsSettings::volumeOf(0.5f), 64);
    EXPECT_EQ(OptionsSettings::volumeOf(0.999f), 127);
    EXPECT_FLOAT_EQ(OptionsSettings::sliderOf(64), 0.5f);
    settings.setMusicVolume(OptionsSettings::volumeOf(0.5f));
    settings.setSoundVolume(OptionsSettings::volumeOf(1.f));
    settings.setFullScreen(false);
    settings.setCustomCursor(true);
    ASSERT_TRUE(settings.save());

    // Keys in byte order: FULL_SCREEN, HARDWARE_CURSOR, MUSIC_VOLUME,
    // SOUND_VOLUME; without an application there is no game id header.
    std::ifstream file(path, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, (std::vector<unsigned char>{0, 1, 64, 0, 0, 0, 128, 0, 0, 0}));

    auto reread = settingsStore(path);
    ASSERT_TRUE(reread->load());
    OptionsSettings back(reread.get());
    EXPECT_EQ(back.getMusicVolume(), 64);
    EXPECT_EQ(back.getSoundVolume(), 128);
    EXPECT_FALSE(back.isFullScreen());
    EXPECT_TRUE(back.isCustomCursor());

    // Without a store nothing is kept or saved.
    OptionsSettings none(nullptr);
    none.setMusicVolume(10);
    EXPECT_EQ(none.getMusicVolume(), 0);
    EXPECT_FALSE(none.save());
}

TEST(HighScoresMenuTest, RowsNumberTheTableInItsOrder)
{
    const std::vector<HighScoreRow> fresh = HighScoresMenu::rowsOf(std::vector<HighScoreEntry>(10));
    ASSERT_EQ(fresh.size(), 10u);
    EXPECT_EQ(fresh[0].rank, "1.");
    EXPECT_EQ(fresh[9].rank, "10.");
    EXPECT_EQ(fresh[9].name, "-");
    EXPECT_EQ(fresh[9].score, "0");
    const std::vector<HighScoreRow> played = HighScoresMenu::rowsOf({{3000, "Ann"}, {1000, "Bob"}});
    EXPECT_EQ(played[0].name, "Ann");
    EXPECT_EQ(played[0].score, "3000");
    EXPECT_EQ(played[1].rank, "2.");
    EXPECT_EQ(played[1].name, "Bob");
}

TEST(MiniGamesMenuTest, ButtonsMapToTheStorysMinigameSteps)
{
    EXPECT_STREQ(MiniGamesMenu::stepOf(1005).type, "MgRectangleTileSum");
    EXPECT_EQ(MiniGamesMenu::stepOf(1005).questId, 14);
    EXPECT_STREQ(MiniGamesMenu::stepOf(1001).type, "MgMemoryMatch");
    EXPECT_EQ(MiniGamesMenu::stepOf(1025).questId, 72);
    EXPECT_EQ(MiniGamesMenu::stepOf(1000).type, nullptr);
    EXPECT_EQ(MiniGamesMenu::stepOf(1026).type, nullptr);
}
