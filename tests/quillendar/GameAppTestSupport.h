#pragma once
// Fixture of the game application's window tests: the real QuillendarApp
// over the generated content (the tests run from the repository root),
// driven frame by frame by a HeadlessDriver with fake time, with a private,
// empty APPDATA folder per test and the game-wide services reset around
// every test.
#include "engine/app/GameApp.h"
#include "quillendar/QuillendarApp.h"
#include "tests/driver/HeadlessDriver.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class GameAppTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Constructs the application (it writes or loads the save at once) and
    // attaches the driver.
    void makeApp();
    // initApp and the driver's start; use with ASSERT_NO_FATAL_FAILURE.
    void startGame();

    // <APPDATA>/Quillendar
    std::string saveFolder() const { return appData + "/Quillendar"; }
    std::string savePath() const { return saveFolder() + "/save.dat"; }
    // The bytes of a save file holding the default entries with these volumes.
    static std::string defaultSave(int musicVolume, int soundVolume);
    static std::string readFile(const std::string& path);
    static void writeFile(const std::string& path, const std::string& bytes);
    // The lines of <save folder>/error.txt.
    std::vector<std::string> errorLines() const;

    // Runs frames until `done` holds (checked after each frame); false when
    // it still does not after `maxFrames` or the loop ended.
    bool stepUntil(const std::function<bool()>& done, int maxFrames);
    // Screens on the stack of that type.
    template <class T>
    int countScreens() const
    {
        int n = 0;
        for (ScreenBase* s : app->getScreens())
            if (dynamic_cast<T*>(s))
                ++n;
        return n;
    }
    template <class T>
    T* topAs() const
    {
        return dynamic_cast<T*>(app->topScreen());
    }
    // The stack bottom to top as class names, for failure messages.
    std::string stackText() const;

    // Deletes every game-wide service the application fills at start-up.
    static void resetServices();

    HeadlessDriver driver;  // before the application: its clock reads the driver
    std::unique_ptr<QuillendarApp> app;
    std::string appData;

private:
    std::unique_ptr<TempFolder> appDataFolder;  // holds appData
    std::string previousAppData;
    bool hadAppData = false;
};
