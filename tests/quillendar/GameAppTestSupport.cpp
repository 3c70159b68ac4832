#include "tests/quillendar/GameAppTestSupport.h"

#include "engine/ui/ScreenBase.h"
#include "game/GameFlow.h"
#include "game/PlayerProfiles.h"
#include "game/QuestManager.h"
#include "game/SceneMusic.h"
#include "game/SfxContainer.h"
#include "game/ItemRegistry.h"
#include "game/SceneIndex.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <typeinfo>

void GameAppTest::SetUp()
{
    resetServices();
    appDataFolder = std::make_unique<TempFolder>();
    appData = appDataFolder->path();
    ASSERT_FALSE(appData.empty());
    if (const char* old = std::getenv("APPDATA")) {
        hadAppData = true;
        previousAppData = old;
    }
    ::setenv("APPDATA", appData.c_str(), 1);
}

void GameAppTest::TearDown()
{
    app.reset();
    resetServices();
    if (hadAppData)
        ::setenv("APPDATA", previousAppData.c_str(), 1);
    else
        ::unsetenv("APPDATA");
    appDataFolder.reset();
}

void GameAppTest::resetServices()
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

void GameAppTest::makeApp()
{
    app = std::make_unique<QuillendarApp>();
    driver.attach(*app);
}

void GameAppTest::startGame()
{
    if (!app)
        makeApp();
    app->initApp();
    ASSERT_FALSE(app->startupFailed());
    ASSERT_TRUE(app->isWindowOpen());
    ASSERT_TRUE(driver.start());
}

std::string GameAppTest::defaultSave(int musicVolume, int soundVolume)
{
    std::string bytes;
    auto i32 = [&bytes](int32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xff);
    };
    i32(5);
    bytes += "QD001";
    bytes += '\x01';  // FULL_SCREEN
    bytes += '\x00';  // HARDWARE_CURSOR
    i32(musicVolume);
    i32(0);   // no profiles
    i32(10);  // ten high scores "-" with 0
    for (int i = 0; i < 10; ++i) {
        i32(6);
        bytes += '-';
        bytes += '\0';
        i32(0);
    }
    i32(-1);  // no current profile
    i32(soundVolume);
    return bytes;
}

std::string GameAppTest::readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void GameAppTest::writeFile(const std::string& path, const std::string& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::vector<std::string> GameAppTest::errorLines() const
{
    std::vector<std::string> lines;
    std::ifstream in(saveFolder() + "/error.txt", std::ios::binary);
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

bool GameAppTest::stepUntil(const std::function<bool()>& done, int maxFrames)
{
    for (int i = 0; i < maxFrames; ++i) {
        if (!driver.step())
            return false;
        if (done())
            return true;
    }
    return false;
}

std::string GameAppTest::stackText() const
{
    std::string text = "stack:";
    if (!app)
        return text + " (no application)";
    for (ScreenBase* s : app->getScreens())
        text += std::string(" ") + typeid(*s).name();
    return text;
}
