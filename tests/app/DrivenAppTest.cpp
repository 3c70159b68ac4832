#include "tests/app/DrivenAppTest.h"

#include "engine/core/StringUtils.h"
#include "engine/gfx/GLTexture.h"
#include "tests/support/TestTextures.h"

#include <filesystem>

void DrivenAppTest::SetUp()
{
    app = std::make_unique<DriverApp>(driver.log());
    driver.attach(*app);
}

void DrivenAppTest::TearDown()
{
    app.reset();
}

void DrivenAppTest::startApp(int width, int height)
{
    app->setWindow(width, height, false);
    app->initApp();
    ASSERT_TRUE(app->isWindowOpen()) << LOG_TEXT;
    ASSERT_TRUE(driver.start());
}

ProbeScreen* DrivenAppTest::showProbe(const std::string& name)
{
    ProbeScreen* screen = new ProbeScreen(name, driver.log());
    app->showScreen(screen);
    return screen;
}

void DrivenAppTest::run(const std::string& script)
{
    EXPECT_TRUE(driver.runScript(script)) << driver.lastError() << "\n" << LOG_TEXT;
}

GLTexture* DrivenAppTest::solidTexture(int width, int height, Color colour)
{
    return ::solidTexture(width, height, colour).release();
}

std::string DrivenAppTest::scratchFolder(const std::string& name)
{
    const std::string folder = getAppDataPath() + "/" + name;
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    std::filesystem::create_directories(folder, ec);
    return folder;
}
