// Opening the window: the order of the start, and what each failure leaves
// behind. SDL and the video mode failing stop the start; a missing audio
// device leaves a silent but working game.
#include "engine/audio/SoundSystem.h"
#include "tests/app/DrivenAppTest.h"

#include <SDL.h>
#include <cstdlib>
#include <filesystem>

namespace {

// Sets an environment variable for the scope, then restores it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : key(name)
    {
        if (const char* old = std::getenv(name)) {
            hadValue = true;
            previous = old;
        }
        setenv(name, value, 1);
    }
    ~ScopedEnv()
    {
        if (hadValue)
            setenv(key.c_str(), previous.c_str(), 1);
        else
            unsetenv(key.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string key;
    std::string previous;
    bool hadValue = false;
};

using WindowStart = DrivenAppTest;

} // namespace

TEST_F(WindowStart, OpensAudioThenTheVideoModeAndRunsUntilQuit)
{
    app->setCaption("Probe caption");
    ASSERT_NO_FATAL_FAILURE(startApp());
    EXPECT_TRUE(app->isAudioOpen());
    EXPECT_EQ(log().withPrefix("reportInitError").size(), 0u) << LOG_TEXT;
    EXPECT_LT(log().find("onBeforeVideoMode"), log().find("setVideoMode 1024 768 0 ok")) << LOG_TEXT;
    char* caption = nullptr;
    SDL_WM_GetCaption(&caption, nullptr);
    ASSERT_NE(caption, nullptr);
    EXPECT_STREQ(caption, "Probe caption");
    EXPECT_EQ(app->getWidth(), 1024);
    EXPECT_EQ(app->getHeight(), 768);

    run("quit\n");
    EXPECT_FALSE(driver.step(3));
    EXPECT_EQ(driver.frame(), 1u);
    EXPECT_FALSE(app->isAudioOpen());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u);
}

TEST_F(WindowStart, WithoutSdlTheStartStopsAndRunReturnsAtOnce)
{
    {
        ScopedEnv video("SDL_VIDEODRIVER", "no-such-driver");
        app->initApp();
    }
    EXPECT_GE(log().find("reportInitError 0"), 0) << LOG_TEXT;
    EXPECT_EQ(app->getInitErrorDetail().rfind("Tried SDL_Init(audio, video), video driver \"no-such-driver\"", 0),
              0u)
        << app->getInitErrorDetail();
    EXPECT_EQ(log().withPrefix("setVideoMode").size(), 0u) << LOG_TEXT;
    EXPECT_FALSE(app->isWindowOpen());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u);
    EXPECT_FALSE(driver.start());
    app->showScreen(new ProbeScreen("A", log()));
    app->run();
    EXPECT_EQ(log().find("onExit"), -1) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("A update").size(), 0u);
}

TEST_F(WindowStart, WithoutAVideoModeTheStartStopsAndSdlIsClosed)
{
    app->failVideoModes(1);
    app->initApp();
    EXPECT_GE(log().find("reportInitError 2"), 0) << LOG_TEXT;
    EXPECT_EQ(app->getInitErrorDetail(), "Tried 1024x768, 32 bits, window (refused by the test).");
    EXPECT_EQ(log().withPrefix("setVideoMode").size(), 1u) << "the default window has no fallback\n" << LOG_TEXT;
    EXPECT_GE(log().find("openWindow failed"), 0) << LOG_TEXT;
    EXPECT_FALSE(app->isWindowOpen());
    EXPECT_FALSE(app->isAudioOpen());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u);
    app->run();
    app->renderFrame();
    EXPECT_EQ(log().find("onExit"), -1) << LOG_TEXT;
}

TEST_F(WindowStart, AModeThatCannotBeSetFallsBackToTheDefaultWindow)
{
    app->setWindow(1280, 800, false);
    app->failVideoModes(2);
    app->initApp();
    EXPECT_EQ(app->getInitErrorDetail(), "Tried 1280x800, 32 bits, window (refused by the test), "
                                         "then 1024x768, 32 bits, window (refused by the test).");
    log().clear();
    app->failVideoModes(1);
    app->initApp();
    ASSERT_TRUE(app->isWindowOpen()) << LOG_TEXT;
    EXPECT_EQ(log().withPrefix("setVideoMode"),
              (std::vector<std::string>{"setVideoMode 1280 800 0 refused", "setVideoMode 1024 768 0 ok"}));
    EXPECT_EQ(log().withPrefix("reportInitError").size(), 0u) << LOG_TEXT;
    EXPECT_EQ(app->getWidth(), 1024);
    EXPECT_EQ(app->getHeight(), 768);
}

TEST_F(WindowStart, WithoutAudioTheGameRunsSilent)
{
    {
        // The disk driver exists but cannot open its file: SDL starts, the
        // audio device does not.
        ScopedEnv audio("SDL_AUDIODRIVER", "disk");
        ScopedEnv file("SDL_DISKAUDIOFILE", "/nonexistent-folder/audio.raw");
        ASSERT_NO_FATAL_FAILURE(startApp());
    }
    EXPECT_GE(log().find("reportInitError 1"), 0) << LOG_TEXT;
    EXPECT_FALSE(app->isAudioOpen());
    EXPECT_EQ(app->getSoundSystem()->setSoundVolume(-1, 64), 0);
    app->getSoundSystem()->setMusicVolume(64);

    ProbeScreen* a = showProbe("A");
    a->setFill(Color(10, 20, 30));
    const std::string path = scratchFolder("WindowStartTest-silent") + "/frame.bmp";
    run("step 3\nshot \"" + path + "\"\n");
    EXPECT_EQ(BmpImage(path).at(1, 1), Color(10, 20, 30));
    run("quit\n");
    EXPECT_FALSE(driver.step());
    EXPECT_GE(log().find("onExit"), 0) << LOG_TEXT;
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u);
}
