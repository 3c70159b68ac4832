#include "quillendar/QuillendarApp.h"

#include "engine/audio/SoundSystem.h"
#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"
#include "engine/store/AppConfig.h"
#include "engine/store/ConfigFile.h"
#include "engine/store/FileSaveGame.h"
#include "engine/store/FolderLock.h"
#include "engine/store/GenericEntry.h"
#include "engine/store/LabelManager.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/MainMenu.h"
#include "frontend/QuitDialogScreen.h"
#include "game/ContentTables.h"
#include "game/GameUiServices.h"
#include "game/GlobalGamePauseScreen.h"
#include "game/LogoSeqManager.h"
#include "game/PlayerProfiles.h"
#include "game/QuestManager.h"
#include "game/SceneMusic.h"
#include "quillendar/ScreenCreators.h"
#include "game/SfxContainer.h"
#include "game/SceneIndex.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

QuillendarApp* g_game = nullptr;

const char* const ConfigPath = "content/config/config.xml";
const char* const QuestsPath = "content/config/Quests.xml";
const char* const SceneIndexPath = "content/config/scene/sceneIndex.xml";
const char* const GameParametersPath = "content/config/GameParameters.cfg";
const char* const SfxPath = "content/config/sfx.xml";
const char* const SceneMusicPath = "content/config/scene/music.xml";
const char* const IconPath = "content/Icon/Icon.png";
const char* const ErrorLogName = "error.txt";

const char* const SoundVolumeKey = "SOUND_VOLUME";
const char* const MusicVolumeKey = "MUSIC_VOLUME";
const char* const FullScreenKey = "FULL_SCREEN";
const char* const HardwareCursorKey = "HARDWARE_CURSOR";
const char* const PlayerProfilesKey = "PLAYER_PROFILES";

// What the game uses where config.xml gives nothing usable: the values the
// generated file holds.
AppConfigDefaults configDefaults()
{
    AppConfigDefaults d;
    d.caption = "Quillendar";
    d.saveFolder = "Quillendar";
    d.saveFileName = "save.dat";
    d.language = "EN";
    d.labelsFile = "content/config/labels/Labels_EN.xml";
    return d;
}

// Reads config.xml and fills what it lacks with the game's defaults, saying
// in one line which file was at fault and what is used instead.
void readConfiguration(AppConfig& config)
{
    const bool read = config.readConfig(ConfigPath);
    const auto replaced = config.applyDefaults(configDefaults());
    if (read && replaced.empty())
        return;
    std::string used;
    for (const auto& setting : replaced)
        used += (used.empty() ? "" : ", ") + setting.first + " \"" + setting.second + "\"";
    logError(std::string("game: \"") + ConfigPath + "\" " +
             (read ? "lacks usable settings" : "could not be read") + "; using the defaults" +
             (used.empty() ? "" : ": " + used));
}

const char* errorMessage(int code)
{
    switch (code) {
    case SDLGameApp::SdlInitFailed:
        return "Loading of SDL dynamically linked library and initialization of the subsystems failed.";
    case SDLGameApp::AudioOpenFailed:
        return "Opening of the mixer with a certain audio format failed.";
    case SDLGameApp::VideoModeFailed:
        return "SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags) failed.";
    default:
        return nullptr;
    }
}

std::string twoDigits(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

} // namespace

QuillendarApp::QuillendarApp() : folderLock(std::make_unique<FolderLock>())
{
    g_game = this;
    GameShell::install(this);
    try {
        AppConfig& config = AppConfig::getInstance();
        readConfiguration(config);
        if (!getLabels()->loadLabels(config.getLabelsFile()))
            logError("game: no labels from '" + config.getLabelsFile() + "'");
        setCaption(config.getCaption());
        if (!QuestManager::instance()->load(QuestsPath))
            logError(std::string("game: no quests from ") + QuestsPath);
        setUpSaveGame();
        keyboardHook.install();
        gameParameters = std::make_unique<ConfigFile>(GameParametersPath, true, "=", "#", "EndConfigFile");
        setGameParameters(gameParameters.get());
    } catch (const ConfigFile::file_not_found& missing) {
        // The player who starts the game from a desktop icon sees no
        // standard error: the log in the save folder must say it too.
        appendToErrorLog(errorLogLine("missing " + missing.getFileName(), std::time(nullptr)));
        undoConstruction();
        throw;
    } catch (...) {
        // The destructor will not run: leave nothing pointing at this object.
        undoConstruction();
        throw;
    }
}

void QuillendarApp::undoConstruction()
{
    folderLock->release();
    keyboardHook.uninstall();
    setGameParameters(nullptr);
    gameParameters.reset();
    AppConfig::destroyInstance();
    if (g_game == this)
        g_game = nullptr;
    if (GameShell::instance() == this)
        GameShell::install(nullptr);
}

QuillendarApp::~QuillendarApp()
{
    keyboardHook.uninstall();
    if (g_game == this)
        g_game = nullptr;
    if (GameShell::instance() == this)
        GameShell::install(nullptr);
    // Screens first: they may still use the services below while they go.
    pauseScreen = nullptr;
    deleteAllScreens();
    releaseBlankCursor();
    uiServicesImpl.reset();  // uninstalls itself
    // Its resource manager belongs to this application.
    SfxContainer::destroyInstance();
    setGameParameters(nullptr);
    gameParameters.reset();
    AppConfig::destroyInstance();
}

QuillendarApp* QuillendarApp::instance()
{
    return g_game;
}

std::string QuillendarApp::saveFolder()
{
    return getAppDataPath() + "/" + AppConfig::getInstance().getSaveFolder();
}

void QuillendarApp::setUpSaveGame()
{
    // The profiles' item states refer to scenes by their index entries.
    if (!loadSceneIndex(SceneIndexPath))
        logError(std::string("game: no scene index from ") + SceneIndexPath);

    const AppConfig& config = AppConfig::getInstance();
    const std::string folder = saveFolder();
    if (!makeDirectories(folder))
        logError("game: cannot create the save folder " + folder);

    // One copy of the game at a time on a save folder: a second one would
    // save over the first one's progress. Taken before anything reads or
    // writes the save, and long before the window opens (a second copy's
    // video mode can wait for ever on the first one's full screen).
    std::string why;
    switch (folderLock->acquire(folder + "/" + SaveFolderLockName, why)) {
    case FolderLock::Result::Acquired:
        break;
    case FolderLock::Result::HeldElsewhere: {
        const std::string message = "Another copy of the game is running with the save folder " + folder +
                                    "; this copy ends without touching the save.";
        logError("game: " + message);
        appendToErrorLog(errorLogLine(message, std::time(nullptr)));
        saveFolderHeld = true;
        return;  // no store: nothing can load or save
    }
    case FolderLock::Result::Unavailable:
        // A folder that cannot be written (nor a save in it) or a file
        // system without locks: refusing to start would help no one.
        logWarning("game: the save folder cannot be locked (" + why +
                   "); another copy of the game could use the same save");
        break;
    }

    auto* store = new FileSaveGame(folder + "/" + config.getSaveFileName(), this);
    setSaveGame(store);  // owned by the application from here on
    // The player hears of a save that failed in the error log too, once a
    // run: a game that forgot progress should say why where one looks.
    store->setFailureReport([this](const std::string& reason) {
        if (saveFailureLogged)
            return;
        saveFailureLogged = true;
        appendToErrorLog(errorLogLine("The game could not be saved: " + reason, std::time(nullptr)));
    });
    if (folderLock->isHeld())
        store->removeLeftoverTemporaries();
    // Every value is kept in its range, whatever the file or config.xml say:
    // the mixer takes a negative volume as "leave it" (at full volume).
    auto volume = [](int initial) { return std::make_unique<GenericEntry<int>>(initial, 0, MIX_MAX_VOLUME); };
    auto flag = [](char initial) { return std::make_unique<GenericEntry<char>>(initial, char(0), char(1)); };
    store->replaceEntry(SoundVolumeKey, volume(config.getSoundVolume()));
    store->replaceEntry(MusicVolumeKey, volume(config.getMusicVolume()));
    store->replaceEntry(FullScreenKey, flag(1));
    store->replaceEntry(HardwareCursorKey, flag(0));
    // The store owns the profile list from now on.
    store->replaceEntry(PlayerProfilesKey, std::unique_ptr<SaveGameEntry>(PlayerProfiles::instance()));
    // Loading comes first: a damaged file is copied aside while it loads,
    // before the save below may replace it.
    if (!store->load() && !store->save())
        logError("game: the default save could not be written to " + store->getPath());
}

GenericEntry<int>* QuillendarApp::intEntry(const char* key) const
{
    return getSaveGame() ? dynamic_cast<GenericEntry<int>*>(getSaveGame()->getEntry(key)) : nullptr;
}

GenericEntry<char>* QuillendarApp::charEntry(const char* key) const
{
    return getSaveGame() ? dynamic_cast<GenericEntry<char>*>(getSaveGame()->getEntry(key)) : nullptr;
}

void QuillendarApp::initApp()
{
    // Another copy runs on the save folder: this one stops as a failed
    // start does, before any window.
    startFailed = saveFolderHeld;
    if (startFailed)
        return;
    registerScreenCreators();

    const AppConfig& config = AppConfig::getInstance();
    const GenericEntry<char>* full = charEntry(FullScreenKey);
    const GenericEntry<char>* cursor = charEntry(HardwareCursorKey);
    const bool fullScreen = full && full->value != 0;
    const bool customCursor = cursor && cursor->value != 0;

    // Always windowed first; full screen follows once the first screen is up.
    if (!openWindow(config.getWidth(), config.getHeight(), config.getBitDepth(), false)) {
        // Nothing can be drawn or loaded without SDL and a GL context.
        startFailed = true;
        return;
    }
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    registerGlobalResources(getResources());
    if (!SfxContainer::instance()->loadSfx(SfxPath))
        logError(std::string("game: no sound effects from ") + SfxPath);
    if (!SceneMusic::instance()->loadSceneMusic(SceneMusicPath))
        logError(std::string("game: no scene music from ") + SceneMusicPath);
    uiServicesImpl = std::make_unique<GameUiServices>(getResources());
    setUiServices(uiServicesImpl.get());

    if (!fullScreen)
        windowControl.addMaximizeBox();

    savedSystemCursor = SDL_GetCursor();
    applyCursorMode(customCursor);

    if (!config.getLogoScreens().empty())
        showScreen(new LogoSeqManager());
    else
        showScreen(new MainMenu());

    setFullscreen(fullScreen);
    applySavedVolumes();
}

void QuillendarApp::applySavedVolumes()
{
    SoundSystem* sound = getSoundSystem();
    if (!sound)
        return;
    if (const GenericEntry<int>* music = intEntry(MusicVolumeKey))
        sound->setMusicVolume(music->value);
    if (const GenericEntry<int>* effects = intEntry(SoundVolumeKey))
        sound->setSoundVolume(-1, effects->value);
}

void QuillendarApp::applyCursorMode(bool customCursor)
{
    if (customCursor) {
        if (AppConfig::getInstance().selectCursor(0)) {
            // One transparent pixel hides the system cursor under ours.
            if (!blankCursor) {
                Uint8 data = 0;
                Uint8 mask = 0;
                blankCursor = SDL_CreateCursor(&data, &mask, 1, 1, 0, 0);
            }
            if (blankCursor)
                SDL_SetCursor(blankCursor);
            return;
        }
        logWarning("game: the custom cursor cannot be shown; keeping the system cursor");
        setCursorImage(nullptr);
    } else {
        setCursorImage(nullptr);
    }
    if (savedSystemCursor)
        SDL_SetCursor(savedSystemCursor);
}

void QuillendarApp::releaseBlankCursor()
{
    if (!blankCursor)
        return;
    // SDL frees its cursors' window-system parts only while video runs.
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_FreeCursor(blankCursor);
    blankCursor = nullptr;
}

void QuillendarApp::showStartScreen()
{
    showScreen(new MainMenu());
}

bool QuillendarApp::onQuitRequested()
{
    // The dialog sets quitDialogOpen itself and clears it when declined.
    if (!quitDialogOpen)
        showScreen(new QuitDialogScreen(this));
    return false;
}

void QuillendarApp::onExit()
{
    if (SaveGame* store = getSaveGame()) {
        if (!store->save())
            logError("game: the game could not be saved at exit");
    }
    releaseBlankCursor();
}

std::string QuillendarApp::getGameId() const
{
    return GameId;
}

void QuillendarApp::onBeforeVideoMode()
{
    SDL_Surface* icon = IMG_Load(IconPath);
    if (!icon) {
        logWarning(std::string("game: no window icon from ") + IconPath + ": " + IMG_GetError());
        return;
    }
    SDL_WM_SetIcon(icon, nullptr);  // SDL keeps its own copy
    SDL_FreeSurface(icon);
}

void QuillendarApp::onFocusLost()
{
    if (SoundSystem* sound = getSoundSystem()) {
        sound->setMusicVolume(0);
        sound->setSoundVolume(-1, 0);
    }
    removePauseScreen();
    pauseScreen = new GlobalGamePauseScreen();
    showScreen(pauseScreen);
}

void QuillendarApp::onFocusGained()
{
    applySavedVolumes();
    removePauseScreen();
}

void QuillendarApp::removePauseScreen()
{
    ScreenBase* pause = pauseScreen;
    pauseScreen = nullptr;
    if (!pause)
        return;
    auto it = std::find(screens.begin(), screens.end(), pause);
    if (it == screens.end())
        return;  // already gone with the stack; nothing of ours to delete
    if (it + 1 == screens.end()) {
        popScreen();  // activates the screen below
        return;
    }
    // Something was pushed over it while the focus was away (the quit
    // dialog): take the pause screen out from under it and leave that on top;
    // the screens below stay covered.
    screens.erase(it);
    ++stackChanges;
    pause->popped(this);
}

void QuillendarApp::onUpdate(int)
{
    if (!maximizeRequested)
        return;
    maximizeRequested = false;
    windowControl.restore();
    setFullscreen(true);
}

std::string QuillendarApp::errorLogLine(const std::string& message, std::time_t when)
{
    std::string time = std::ctime(&when);
    while (!time.empty() && (time.back() == '\n' || time.back() == '\r'))
        time.pop_back();
    return "Build " + buildVersionString() + " | " + time + " | " + message;
}

std::string QuillendarApp::errorLine(int code, std::time_t when, const std::string& detail)
{
    const char* message = errorMessage(code);
    if (!message)
        return std::string();
    return errorLogLine(detail.empty() ? message : std::string(message) + " " + detail, when);
}

void QuillendarApp::reportInitError(int& code)
{
    const std::string line = errorLine(code, std::time(nullptr), getInitErrorDetail());
    if (!line.empty())
        appendToErrorLog(line);
}

void QuillendarApp::appendToErrorLog(const std::string& line)
{
    const std::string folder = saveFolder();
    makeDirectories(folder);
    const std::string path = folder + "/" + ErrorLogName;
    std::FILE* log = std::fopen(path.c_str(), "ab");
    if (!log) {
        // The player must still learn why the game did not start.
        std::fprintf(stderr, "%s\n", line.c_str());
        return;
    }
    std::fprintf(log, "%s\n", line.c_str());
    std::fflush(log);
    std::fclose(log);
}

bool QuillendarApp::onVideoModeChanged(int, int, bool fullscreen)
{
    if (GenericEntry<char>* full = charEntry(FullScreenKey))
        full->value = fullscreen ? 1 : 0;
    keyboardHook.setEnabled(fullscreen ? 1 : 0);
    if (fullscreen) {
        windowControl.removeMaximizeBox();
    } else {
        windowControl.addMaximizeBox();
        if (!windowControl.isMinimized())
            windowControl.restore();
    }
    fire();
    return true;
}

void QuillendarApp::onFullscreenRestored()
{
    keyboardHook.setEnabled(1);
}

void QuillendarApp::onFullscreenLeft()
{
    keyboardHook.setEnabled(0);
}

std::string QuillendarApp::buildVersionString()
{
    return versionStringFromDate(__DATE__);
}

std::string QuillendarApp::versionStringFromDate(const std::string& date)
{
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::istringstream in(date);
    std::string monthName;
    int day = 0;
    int year = 0;
    in >> monthName >> day >> year;
    int month = 0;
    for (int i = 0; i < 12; ++i)
        if (monthName == months[i])
            month = i + 1;
    return std::to_string(year - 2000) + twoDigits(month) + twoDigits(day) + " ";
}

std::string QuillendarApp::versionString() const
{
    std::string version = buildVersionString();
    while (!version.empty() && version.back() == ' ')
        version.pop_back();
    return version;
}
