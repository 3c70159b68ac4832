// The game application on the generated content, driven frame by frame:
// the save file at start-up, the first screens, focus handling with the pause
// screen, the quit confirmation and the save at exit, the start-up failures
// and their error log, and the switch to full screen.
#include "engine/store/AppConfig.h"
#include "engine/store/ConfigFile.h"
#include "engine/store/GenericEntry.h"
#include "engine/store/SaveGame.h"
#include "frontend/MainMenu.h"
#include "frontend/QuitDialogScreen.h"
#include "game/GlobalEventListener.h"
#include "game/GlobalGamePauseScreen.h"
#include "game/LogoSeqManager.h"
#include "game/PlayerProfiles.h"
#include "tests/quillendar/GameAppTestSupport.h"

#include "tests/app/BmpImage.h"

#include <SDL_image.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <unistd.h>

namespace {

using GameStart = GameAppTest;
using GameFocus = GameAppTest;
using GameQuit = GameAppTest;
using GameStartFailure = GameAppTest;
using GameVideoMode = GameAppTest;

// The volumes of the generated config.xml.
constexpr int ConfigMusicVolume = 50;
constexpr int ConfigSoundVolume = 75;

int entryInt(QuillendarApp& app, const char* key)
{
    auto* entry = dynamic_cast<GenericEntry<int>*>(app.getSaveGame()->getEntry(key));
    return entry ? entry->value : -999;
}

int entryChar(QuillendarApp& app, const char* key)
{
    auto* entry = dynamic_cast<GenericEntry<char>*>(app.getSaveGame()->getEntry(key));
    return entry ? entry->value : -999;
}

// Sets an environment variable for the scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : key(name)
    {
        if (const char* old = std::getenv(name)) {
            had = true;
            previous = old;
        }
        ::setenv(name, value, 1);
    }
    ~ScopedEnv()
    {
        if (had)
            ::setenv(key.c_str(), previous.c_str(), 1);
        else
            ::unsetenv(key.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string key;
    std::string previous;
    bool had = false;
};

class RecordingListener : public GlobalEventListener {
public:
    void onGlobalEvent(int eventId, int value) override { events.push_back({eventId, value}); }
    std::vector<std::pair<int, int>> events;
};

const std::regex ErrorLinePattern("^Build [0-9]{6}  \\| [A-Z][a-z]{2} [A-Z][a-z]{2} [ 0-9][0-9] "
                                  "[0-9]{2}:[0-9]{2}:[0-9]{2} [0-9]{4} \\| (.*)$");

} // namespace

TEST_F(GameStart, AFreshStartWritesTheDefaultSaveBeforeTheWindowOpens)
{
    makeApp();
    EXPECT_FALSE(app->isWindowOpen());
    EXPECT_EQ(readFile(savePath()), defaultSave(ConfigMusicVolume, ConfigSoundVolume));
    EXPECT_EQ(app->getGameId(), "QD001");
    EXPECT_EQ(entryInt(*app, "SOUND_VOLUME"), ConfigSoundVolume);
    EXPECT_EQ(entryInt(*app, "MUSIC_VOLUME"), ConfigMusicVolume);
    EXPECT_EQ(entryChar(*app, "FULL_SCREEN"), 1);
    EXPECT_EQ(entryChar(*app, "HARDWARE_CURSOR"), 0);
    ASSERT_NE(PlayerProfiles::existingInstance(), nullptr);
    EXPECT_EQ(PlayerProfiles::existingInstance()->profileCount(), 0);
    EXPECT_EQ(app->getSaveGame()->getEntry("PLAYER_PROFILES"), PlayerProfiles::existingInstance());
    // The rest of the construction: the tuning table is the engine's, the
    // keyboard hook is in place, and the application is reachable.
    EXPECT_EQ(gameParameters(), app->getGameParameters());
    EXPECT_NE(app->getGameParameters(), nullptr);
    EXPECT_TRUE(app->getKeyboardHook().isInstalled());
    EXPECT_EQ(QuillendarApp::instance(), app.get());
    EXPECT_EQ(AppConfig::getInstance().getCaption(), app->getCaption());

    app.reset();
    EXPECT_EQ(QuillendarApp::instance(), nullptr);
    EXPECT_EQ(gameParameters(), nullptr);
}

TEST_F(GameStart, ASoundSaveIsLoadedAndNotOverwritten)
{
    std::string saved = defaultSave(20, 30);
    saved[9] = 0;  // FULL_SCREEN off
    writeFile(savePath(), saved);
    makeApp();
    EXPECT_EQ(entryInt(*app, "MUSIC_VOLUME"), 20);
    EXPECT_EQ(entryInt(*app, "SOUND_VOLUME"), 30);
    EXPECT_EQ(entryChar(*app, "FULL_SCREEN"), 0);
    EXPECT_EQ(readFile(savePath()), saved);
    EXPECT_FALSE(std::filesystem::exists(savePath() + ".bad"));

    // Its settings apply: windowed, with the saved volumes.
    ASSERT_NO_FATAL_FAILURE(startGame());
    EXPECT_FALSE(app->isFullscreen());
    EXPECT_TRUE(app->getWindowControl().hasMaximizeBox());
    EXPECT_EQ(Mix_VolumeMusic(-1), 20);
    EXPECT_EQ(Mix_Volume(-1, -1), 30);
}

TEST_F(GameStart, ADamagedOrForeignSaveIsKeptAsBadBeforeTheDefaultsAreWritten)
{
    const std::string foreign = std::string("\x05\x00\x00\x00XX999", 9) + std::string(40, '\x7f');
    writeFile(savePath(), foreign);
    makeApp();
    EXPECT_EQ(readFile(savePath() + ".bad"), foreign);
    EXPECT_EQ(readFile(savePath()), defaultSave(ConfigMusicVolume, ConfigSoundVolume));
    app.reset();
    resetServices();

    // A file of this game cut in the middle of the profile record: the
    // entries read before the cut keep their values, the file is kept aside.
    std::string cut = defaultSave(10, 11).substr(0, 40);
    writeFile(savePath(), cut);
    std::filesystem::remove(savePath() + ".bad");
    makeApp();
    EXPECT_EQ(readFile(savePath() + ".bad"), cut);
    EXPECT_EQ(entryInt(*app, "MUSIC_VOLUME"), 10);
    EXPECT_EQ(entryInt(*app, "SOUND_VOLUME"), ConfigSoundVolume);
}

TEST_F(GameStart, AMissingBrokenOrIncompleteConfigStillSavesWhereTheGeneratedOneWould)
{
    // A content folder of its own holding only the tuning file.
    const std::string root = appData + "/content-root";
    std::filesystem::create_directories(root + "/content/config");
    std::filesystem::copy_file("content/config/GameParameters.cfg", root + "/content/config/GameParameters.cfg");
    const std::string cwd = std::filesystem::current_path();
    const char* const configs[] = {nullptr, "<Config><Savegame folder=\"Quillendar\"",
                                   "<Config><Savegame folder=\"../..\" filename=\"/etc/x\"/></Config>"};
    ASSERT_EQ(::chdir(root.c_str()), 0);
    for (const char* text : configs) {
        std::filesystem::remove("content/config/config.xml");
        if (text)
            writeFile("content/config/config.xml", text);
        std::filesystem::remove_all(saveFolder());
        testing::internal::CaptureStdout();
        std::string caption = QuillendarApp().getCaption();
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(caption, "Quillendar");
        EXPECT_EQ(readFile(savePath()), defaultSave(ConfigMusicVolume, ConfigSoundVolume)) << out;
        EXPECT_NE(out.find("game: \"content/config/config.xml\""), std::string::npos) << out;
        resetServices();
    }
    ASSERT_EQ(::chdir(cwd.c_str()), 0);
}

TEST_F(GameStart, StoredValuesOutOfRangeAreClampedBeforeTheyReachTheMixer)
{
    std::string saved = defaultSave(-206, 500);  // -206 is "leave it" (at full volume) to the mixer
    saved[9] = 7;                                // FULL_SCREEN
    writeFile(savePath(), saved);
    ASSERT_NO_FATAL_FAILURE(startGame());
    EXPECT_EQ(entryChar(*app, "FULL_SCREEN"), 1);
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    EXPECT_EQ(Mix_Volume(-1, -1), MIX_MAX_VOLUME);
}

TEST_F(GameStart, TheLogoSequenceReachesTheStartScreen)
{
    ASSERT_NO_FATAL_FAILURE(startGame());
    LogoSeqManager* logo = topAs<LogoSeqManager>();
    ASSERT_NE(logo, nullptr) << stackText();
    EXPECT_EQ(app->getScreens().size(), 1u);
    EXPECT_EQ(logo->currentIndex(), 0);
    EXPECT_TRUE(app->isFullscreen());  // the saved default, after the first screen
    EXPECT_FALSE(app->getWindowControl().hasMaximizeBox());
    EXPECT_TRUE(app->getKeyboardHook().isEnabled());
    EXPECT_EQ(Mix_VolumeMusic(-1), ConfigMusicVolume);
    EXPECT_EQ(Mix_Volume(-1, -1), ConfigSoundVolume);

    // The player's manager is one of the application's extra managers while
    // the logo runs, and is given back with the logo.
    auto liveManagers = [this]() {
        int n = 0;
        for (int i = 0; i < 64; ++i)
            if (app->getExtraResources(i))
                ++n;
        return n;
    };
    const int managersWithLogo = liveManagers();

    // The generated logo animation lasts 2500 ms; frames are 10 ms. Between
    // its fade-in (600 ms) and its fade-out (from 1900 ms) the logo's picture
    // fills the screen as it is.
    ASSERT_TRUE(driver.step(100));
    const std::string shot = appData + "/logo.bmp";
    ASSERT_TRUE(driver.shot(shot));
    const std::string picture = appData + "/logo_picture.bmp";
    SDL_Surface* decoded = IMG_Load("content/animations/logo/Logo.jpg");
    ASSERT_NE(decoded, nullptr) << IMG_GetError();
    ASSERT_EQ(SDL_SaveBMP(decoded, picture.c_str()), 0);
    SDL_FreeSurface(decoded);
    const BmpImage frame(shot);
    const BmpImage expected(picture);
    ASSERT_TRUE(frame.ok() && expected.ok());
    int unlike = 0;
    for (int y = 4; y < 768; y += 32)
        for (int x = 4; x < 1024; x += 32)
            if (!near(frame.at(x, y), expected.at(x, y), 4))
                ++unlike;
    EXPECT_EQ(unlike, 0) << "of 768 points of the logo, e.g. at (4, 4) " << describe(frame.at(4, 4)) << " for "
                         << describe(expected.at(4, 4));

    EXPECT_FALSE(stepUntil([this]() { return topAs<MainMenu>() != nullptr; }, 140)) << stackText();
    EXPECT_TRUE(stepUntil([this]() { return topAs<MainMenu>() != nullptr; }, 100)) << stackText();
    EXPECT_EQ(app->getScreens().size(), 1u) << stackText();
    EXPECT_EQ(countScreens<LogoSeqManager>(), 0);
    // The logo's manager went back; the main menu's clip player has one.
    const int menuPlayerManagers = 1;
    EXPECT_EQ(liveManagers(), managersWithLogo - 1 + menuPlayerManagers);
    EXPECT_TRUE(driver.step(5));
}

TEST_F(GameStart, WithoutLogoScreensTheStartScreenComesFirstAndShowStartScreenShowsTheMenu)
{
    makeApp();
    // A configuration without logo screens in place of the generated one.
    const std::string config = appData + "/nologo.xml";
    writeFile(config, "<Config><Savegame folder=\"Quillendar\" filename=\"save.dat\"/></Config>");
    AppConfig::destroyInstance();
    ASSERT_TRUE(AppConfig::getInstance().readConfig(config));
    ASSERT_NO_FATAL_FAILURE(startGame());
    EXPECT_NE(topAs<MainMenu>(), nullptr) << stackText();
    EXPECT_EQ(app->getScreens().size(), 1u);
    app->showStartScreen();
    EXPECT_EQ(countScreens<MainMenu>(), 2);
}

TEST_F(GameFocus, LosingTheFocusMutesAndShowsOnePauseScreenRegainingRestoresBoth)
{
    ASSERT_NO_FATAL_FAILURE(startGame());
    ASSERT_TRUE(driver.step(3));
    ScreenBase* below = app->topScreen();
    ASSERT_NE(below, nullptr);

    driver.focusEvent(false);
    ASSERT_TRUE(driver.step());
    ASSERT_NE(topAs<GlobalGamePauseScreen>(), nullptr) << stackText();
    EXPECT_EQ(app->getPauseScreen(), app->topScreen());
    EXPECT_FALSE(below->isActive());
    EXPECT_EQ(Mix_VolumeMusic(-1), 0);
    EXPECT_EQ(Mix_Volume(-1, -1), 0);
    // Focus handling in full screen leaves it and switches the hook off.
    EXPECT_FALSE(app->isFullscreen());
    EXPECT_FALSE(app->getKeyboardHook().isEnabled());

    // A second loss without a gain in between: still one pause screen.
    app->onFocusLost();
    EXPECT_EQ(countScreens<GlobalGamePauseScreen>(), 1) << stackText();
    EXPECT_EQ(app->getScreens().size(), 2u);

    // The logo does not move while covered.
    const int index = dynamic_cast<LogoSeqManager*>(below)->currentIndex();
    ASSERT_TRUE(driver.step(300));
    EXPECT_EQ(app->topScreen(), app->getPauseScreen());
    EXPECT_EQ(dynamic_cast<LogoSeqManager*>(below)->currentIndex(), index);

    driver.focusEvent(true);
    ASSERT_TRUE(driver.step());
    EXPECT_EQ(countScreens<GlobalGamePauseScreen>(), 0) << stackText();
    EXPECT_EQ(app->getPauseScreen(), nullptr);
    EXPECT_EQ(app->topScreen(), below);
    EXPECT_TRUE(below->isActive());
    EXPECT_EQ(Mix_VolumeMusic(-1), ConfigMusicVolume);
    EXPECT_EQ(Mix_Volume(-1, -1), ConfigSoundVolume);
    EXPECT_TRUE(app->isFullscreen());
    EXPECT_TRUE(app->getKeyboardHook().isEnabled());
}

TEST_F(GameFocus, AQuitDialogOpenedWhileUnfocusedSurvivesTheFocusGain)
{
    ASSERT_NO_FATAL_FAILURE(startGame());
    ASSERT_TRUE(driver.step(3));
    ScreenBase* below = app->topScreen();

    driver.focusEvent(false);
    ASSERT_TRUE(driver.step());
    driver.quitEvent();
    ASSERT_TRUE(driver.step());
    QuitDialogScreen* dialog = topAs<QuitDialogScreen>();
    ASSERT_NE(dialog, nullptr) << stackText();
    EXPECT_TRUE(app->isQuitDialogOpen());

    // The pause screen under the dialog goes; the dialog stays on top, the
    // screen below stays covered.
    driver.focusEvent(true);
    ASSERT_TRUE(driver.step());
    EXPECT_EQ(countScreens<GlobalGamePauseScreen>(), 0) << stackText();
    ASSERT_EQ(app->topScreen(), dialog) << stackText();
    EXPECT_TRUE(dialog->isActive());
    EXPECT_FALSE(below->isActive());
    EXPECT_EQ(app->getScreens().size(), 2u);
    EXPECT_TRUE(app->isQuitDialogOpen());

    // Declining closes it and clears the flag; the window can be closed again.
    dialog->onAnswer(-1, 0);
    ASSERT_TRUE(driver.step(2));
    EXPECT_EQ(app->topScreen(), below) << stackText();
    EXPECT_TRUE(below->isActive());
    EXPECT_FALSE(app->isQuitDialogOpen());
    driver.quitEvent();
    ASSERT_TRUE(driver.step());
    EXPECT_NE(topAs<QuitDialogScreen>(), nullptr) << stackText();
}

TEST_F(GameFocus, APauseScreenAlreadyTakenOffTheStackIsOnlyForgotten)
{
    ASSERT_NO_FATAL_FAILURE(startGame());
    ASSERT_TRUE(driver.step(3));
    app->onFocusLost();
    ASSERT_NE(app->getPauseScreen(), nullptr);
    app->popScreen();  // someone else removed it
    const size_t before = app->getScreens().size();
    app->onFocusGained();
    EXPECT_EQ(app->getScreens().size(), before);
    EXPECT_EQ(app->getPauseScreen(), nullptr);
}

TEST_F(GameQuit, AltF4OpensTheQuitDialogOnceAndYesEndsTheGameWithTheSaveWritten)
{
    ASSERT_NO_FATAL_FAILURE(startGame());
    ASSERT_TRUE(driver.step(3));
    ASSERT_TRUE(driver.pressKey("alt+F4"));
    ASSERT_TRUE(driver.step());
    ASSERT_NE(topAs<QuitDialogScreen>(), nullptr) << stackText();
    EXPECT_TRUE(app->isQuitDialogOpen());

    // Asked again (a key and a close event): the loop goes on, no second dialog.
    ASSERT_TRUE(driver.pressKey("alt+F4"));
    ASSERT_TRUE(driver.step());
    driver.quitEvent();
    ASSERT_TRUE(driver.step());
    EXPECT_FALSE(app->onQuitRequested());
    EXPECT_EQ(countScreens<QuitDialogScreen>(), 1) << stackText();
    EXPECT_TRUE(driver.isRunning());

    // "Yes" is the question's left button, 170 x 40 at (328, 444), clicked
    // in its middle; the question opens
    // and closes with its clips (300 ms each; frames are 10 ms).
    std::filesystem::remove(savePath());
    ASSERT_TRUE(driver.step(40));
    driver.click(413, 464);
    EXPECT_FALSE(driver.step(60)) << "the loop did not end";
    EXPECT_FALSE(app->isWindowOpen());
    EXPECT_EQ(readFile(savePath()), defaultSave(ConfigMusicVolume, ConfigSoundVolume));
}

TEST_F(GameQuit, TheSaveAtExitHoldsTheChangedSettings)
{
    ASSERT_NO_FATAL_FAILURE(startGame());
    ASSERT_TRUE(driver.step(3));
    dynamic_cast<GenericEntry<int>*>(app->getSaveGame()->getEntry("MUSIC_VOLUME"))->value = 12;
    app->setFullscreen(false);
    PlayerProfiles::existingInstance()->addProfile("Ada", 1);
    app->requestQuitNow();
    EXPECT_FALSE(driver.step());
    app.reset();
    resetServices();

    makeApp();
    EXPECT_EQ(entryInt(*app, "MUSIC_VOLUME"), 12);
    EXPECT_EQ(entryChar(*app, "FULL_SCREEN"), 0);
    ASSERT_EQ(PlayerProfiles::existingInstance()->profileCount(), 1);
}

TEST_F(GameStartFailure, AVideoModeFailureStopsTheStartWithOneErrorLine)
{
    makeApp();
    {
        // The dummy video driver has no OpenGL mode.
        ScopedEnv video("SDL_VIDEODRIVER", "dummy");
        app->initApp();
    }
    EXPECT_TRUE(app->startupFailed());
    EXPECT_FALSE(app->isWindowOpen());
    EXPECT_TRUE(app->getScreens().empty());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    const std::vector<std::string> lines = errorLines();
    ASSERT_EQ(lines.size(), 1u);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[0], m, ErrorLinePattern)) << lines[0];
    // What was tried and SDL's reason follow the message.
    EXPECT_TRUE(std::regex_match(m.str(1), std::regex("SDL_SetVideoMode\\(int width, int height, int bpp, Uint32 "
                                                      "flags\\) failed\\. Tried 1024x768, 32 bits, window "
                                                      "\\(.+\\)\\.")))
        << m[1];
    // The loop does not run without a window.
    app->run();
    EXPECT_FALSE(app->isWindowOpen());
}

TEST_F(GameStartFailure, AnSdlFailureIsLoggedAndStopsTheStart)
{
    makeApp();
    {
        ScopedEnv video("SDL_VIDEODRIVER", "x11");
        ScopedEnv display("DISPLAY", ":64998");  // no server there
        app->initApp();
    }
    EXPECT_TRUE(app->startupFailed());
    const std::vector<std::string> lines = errorLines();
    ASSERT_EQ(lines.size(), 1u);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[0], m, ErrorLinePattern)) << lines[0];
    EXPECT_EQ(m.str(1).rfind("Loading of SDL dynamically linked library and initialization of the subsystems "
                             "failed. Tried SDL_Init(audio, video), video driver \"x11\", display \":64998\"",
                             0),
              0u)
        << m[1];
}

TEST_F(GameStartFailure, WithoutAnAudioDeviceTheGameRunsSilent)
{
    makeApp();
    {
        ScopedEnv audio("SDL_AUDIODRIVER", "nosuchdriver");
        ASSERT_NO_FATAL_FAILURE(startGame());
    }
    EXPECT_FALSE(app->isAudioOpen());
    const std::vector<std::string> lines = errorLines();
    ASSERT_EQ(lines.size(), 1u);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[0], m, ErrorLinePattern)) << lines[0];
    EXPECT_EQ(m.str(1).rfind("Opening of the mixer with a certain audio format failed. Tried Mix_OpenAudio(44100 "
                             "Hz, signed 16-bit, 2 channels, 1024-sample chunks), audio driver \"nosuchdriver\" (",
                             0),
              0u)
        << m[1];
    EXPECT_NE(topAs<LogoSeqManager>(), nullptr);
    EXPECT_TRUE(stepUntil([this]() { return topAs<MainMenu>() != nullptr; }, 400)) << stackText();
    // Focus handling without sound still pauses.
    app->onFocusLost();
    EXPECT_NE(topAs<GlobalGamePauseScreen>(), nullptr);
    app->onFocusGained();
    EXPECT_NE(topAs<MainMenu>(), nullptr);
}

TEST_F(GameStartFailure, OtherErrorCodesWriteNothing)
{
    makeApp();
    int code = 3;
    app->reportInitError(code);
    code = -1;
    app->reportInitError(code);
    EXPECT_FALSE(std::filesystem::exists(saveFolder() + "/error.txt"));
    EXPECT_EQ(QuillendarApp::errorLine(3, 0), "");
}

TEST_F(GameStartFailure, AMissingTuningFileThrowsAndLeavesNothingBehind)
{
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    const std::string empty = appData + "/nocontent";
    std::filesystem::create_directories(empty);
    ASSERT_EQ(::chdir(empty.c_str()), 0);
    bool thrown = false;
    try {
        QuillendarApp broken;
    } catch (const ConfigFile::file_not_found& e) {
        thrown = true;
        EXPECT_EQ(e.getFileName(), "content/config/GameParameters.cfg");
    }
    ASSERT_EQ(::chdir(cwd), 0);
    EXPECT_TRUE(thrown);
    // Started from a desktop icon, the player sees no standard error: the
    // error log in the (default) save folder says it too.
    const std::vector<std::string> lines = errorLines();
    ASSERT_EQ(lines.size(), 1u);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[0], m, ErrorLinePattern)) << lines[0];
    EXPECT_EQ(m[1], "missing content/config/GameParameters.cfg");
    EXPECT_EQ(QuillendarApp::instance(), nullptr);
    EXPECT_EQ(GameApp::instance(), nullptr);
    EXPECT_EQ(gameParameters(), nullptr);

    // A start afterwards works normally.
    resetServices();
    ASSERT_NO_FATAL_FAILURE(startGame());
    EXPECT_NE(topAs<LogoSeqManager>(), nullptr);
}

TEST_F(GameVideoMode, AMaximiseRequestBecomesFullScreenAndEveryModeChangeIsAnnounced)
{
    ASSERT_NO_FATAL_FAILURE(startGame());
    RecordingListener listener;
    RecordingListener deaf;
    const int handle = app->registerListener(&listener);
    app->subscribe(handle, GlobalEventManager::VideoModeChanged);
    app->registerListener(&deaf);

    app->setFullscreen(false);
    EXPECT_EQ(entryChar(*app, "FULL_SCREEN"), 0);
    EXPECT_TRUE(app->getWindowControl().hasMaximizeBox());
    EXPECT_FALSE(app->getKeyboardHook().isEnabled());
    ASSERT_EQ(listener.events.size(), 1u);
    EXPECT_EQ(listener.events[0], std::make_pair(0, 0));

    app->requestMaximize();
    EXPECT_FALSE(app->isFullscreen());
    ASSERT_TRUE(driver.step());
    EXPECT_TRUE(app->isFullscreen());
    EXPECT_EQ(entryChar(*app, "FULL_SCREEN"), 1);
    EXPECT_FALSE(app->getWindowControl().hasMaximizeBox());
    EXPECT_TRUE(app->getKeyboardHook().isEnabled());
    EXPECT_EQ(listener.events.size(), 2u);
    EXPECT_TRUE(deaf.events.empty());
    // The request is consumed once.
    ASSERT_TRUE(driver.step(2));
    EXPECT_EQ(listener.events.size(), 2u);

    // Alt+Return goes the same way.
    ASSERT_TRUE(driver.pressKey("alt+return"));
    ASSERT_TRUE(driver.step());
    EXPECT_FALSE(app->isFullscreen());
    EXPECT_EQ(listener.events.size(), 3u);
    app->unregisterListener(handle);
}

TEST_F(GameVideoMode, TheCustomCursorReplacesTheSystemOneAndCanBeSwitchedOff)
{
    std::string saved = defaultSave(ConfigMusicVolume, ConfigSoundVolume);
    saved[10] = 1;  // HARDWARE_CURSOR on: the custom cursor
    writeFile(savePath(), saved);
    ASSERT_NO_FATAL_FAILURE(startGame());
    EXPECT_NE(app->getCursorImage(), nullptr);
    SDL_Cursor* hidden = SDL_GetCursor();
    app->applyCursorMode(false);
    EXPECT_EQ(app->getCursorImage(), nullptr);
    EXPECT_NE(SDL_GetCursor(), hidden);
    app->applyCursorMode(true);
    EXPECT_NE(app->getCursorImage(), nullptr);
    EXPECT_EQ(SDL_GetCursor(), hidden);
    ASSERT_TRUE(driver.step(2));
}
