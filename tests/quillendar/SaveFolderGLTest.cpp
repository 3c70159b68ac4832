// The game application and its save folder: a second copy started on a
// folder that a running copy holds, what a cut-off save left there, and a
// save that cannot be written, told in the error log.
#include "engine/store/FolderLock.h"
#include "engine/store/GenericEntry.h"
#include "engine/store/SaveGame.h"
#include "tests/quillendar/GameAppTestSupport.h"
#include "tests/support/FileSizeLimit.h"

#include <filesystem>
#include <regex>

namespace fs = std::filesystem;

namespace {

using GameSaveFolder = GameAppTest;

const std::regex ErrorLinePattern("^Build [0-9]{6}  \\| [A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] "
                                  "[0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4} \\| (.*)$");

// The names in the folder, sorted, space-separated.
std::string folderNames(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string out;
    for (const auto& name : names)
        out += (out.empty() ? "" : " ") + name;
    return out;
}

} // namespace

TEST_F(GameSaveFolder, ASecondCopyOnAHeldFolderEndsWithOneErrorLineAndLeavesTheSaveAlone)
{
    // A save this copy would copy aside and replace with the defaults.
    const std::string damaged = defaultSave(20, 30).substr(0, 40);
    writeFile(savePath(), damaged);
    // Another copy of the game holds the folder.
    FolderLock other;
    std::string why;
    ASSERT_EQ(other.acquire(saveFolder() + "/" + QuillendarApp::SaveFolderLockName, why),
              FolderLock::Result::Acquired)
        << why;

    makeApp();
    app->initApp();
    EXPECT_TRUE(app->startupFailed());
    EXPECT_FALSE(app->isWindowOpen());
    EXPECT_TRUE(app->getScreens().empty());
    EXPECT_EQ(readFile(savePath()), damaged);
    EXPECT_EQ(folderNames(saveFolder()), std::string("error.txt ") + QuillendarApp::SaveFolderLockName + " save.dat");
    const std::vector<std::string> lines = errorLines();
    ASSERT_EQ(lines.size(), 1u);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[0], m, ErrorLinePattern)) << lines[0];
    EXPECT_EQ(m.str(1), "Another copy of the game is running with the save folder " + saveFolder() +
                            "; this copy ends without touching the save.");
    // Nothing that ends the application writes either.
    app.reset();
    EXPECT_EQ(readFile(savePath()), damaged);
    EXPECT_EQ(errorLines().size(), 1u);

    // Once the other copy has ended, a start goes on as ever.
    other.release();
    resetServices();
    ASSERT_NO_FATAL_FAILURE(startGame());
    EXPECT_EQ(readFile(savePath() + ".bad"), damaged);
}

TEST_F(GameSaveFolder, TheRunningGameHoldsItsFolderAndLeftoverTemporaryFilesGo)
{
    writeFile(savePath() + ".tmp.4711.0", "cut off");
    ASSERT_NO_FATAL_FAILURE(startGame());
    EXPECT_FALSE(fs::exists(savePath() + ".tmp.4711.0"));
    const std::string lockPath = saveFolder() + "/" + QuillendarApp::SaveFolderLockName;
    FolderLock second;
    std::string why;
    EXPECT_EQ(second.acquire(lockPath, why), FolderLock::Result::HeldElsewhere);
    ASSERT_TRUE(driver.step(3));
    app.reset();
    EXPECT_EQ(second.acquire(lockPath, why), FolderLock::Result::Acquired) << why;
}

TEST_F(GameSaveFolder, ASaveThatCannotBeWrittenIsToldInTheErrorLogOnceARun)
{
    ASSERT_NO_FATAL_FAILURE(startGame());
    const std::string previous = readFile(savePath());
    ASSERT_FALSE(previous.empty());
    // A save of some kilobytes on a disk with room for 1000 bytes in a file:
    // enough for a line in the error log, not for the save.
    SaveGame* store = app->getSaveGame();
    for (int i = 0; i < 500; ++i)
        store->replaceEntry("ZZ_PAD_" + std::to_string(i), std::make_unique<GenericEntry<int>>(i));
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(store->save());
        EXPECT_FALSE(store->save());
    }
    EXPECT_EQ(readFile(savePath()), previous);
    std::vector<std::string> lines = errorLines();
    ASSERT_EQ(lines.size(), 1u);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[0], m, ErrorLinePattern)) << lines[0];
    EXPECT_EQ(m.str(1).rfind("The game could not be saved: writing \"" + savePath() + ".tmp.", 0), 0u) << m[1];
    EXPECT_NE(m.str(1).find("File too large"), std::string::npos) << m[1];
    EXPECT_NE(m.str(1).find("; the previous save is kept"), std::string::npos) << m[1];

    // With room again the game saves; the exit save that fails again is
    // not told a second time.
    EXPECT_TRUE(store->save());
    {
        FileSizeLimit limit(1000);
        app->requestQuitNow();
        EXPECT_FALSE(driver.step());
    }
    EXPECT_EQ(errorLines().size(), 1u);
}
