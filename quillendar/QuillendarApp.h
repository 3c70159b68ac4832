#pragma once
// The game's application: the engine application specialised for this game,
// and the registry of game-wide events (second base).
//
// Construction, in this order: the configuration "content/config/config.xml"
// (a missing or damaged file, or one without some of the settings below,
// gives the game's defaults for them: caption "Quillendar", save folder
// "Quillendar", save file "save.dat", language "EN" and the English label
// file, with one error line naming the file), the label file it names, the
// window caption, the quest graph
// "content/config/Quests.xml", the scene index, the save store with its
// entries (see below; loaded, or written with the defaults at once when it
// cannot be loaded), the keyboard hook, and the tuning table
// "content/config/GameParameters.cfg", installed as the engine's game
// parameters. A missing tuning file throws ConfigFile::file_not_found out of
// the constructor after a line in the error log (below); everything set up
// so far is undone first.
//
// The save folder belongs to one running copy of the game: the first takes
// a lock there (SaveFolderLockName; the system releases it when that copy
// ends or dies) before the save is read, and removes the temporary files a
// cut-off save left. A second copy started on a held folder writes one
// line to the error log (below), makes no save store, reads and writes no
// save, and initApp stops at once, before any window: startupFailed().
//
// Save entries (store file <app data>/<save folder>/<save file>, game id
// "QD001"): SOUND_VOLUME and MUSIC_VOLUME (int 0-128, the configuration's
// volumes), FULL_SCREEN (char 0/1, default 1), HARDWARE_CURSOR (char 0/1,
// default 0; 1 switches the custom cursor on) and PLAYER_PROFILES (the
// profile list, which the store then owns). Values out of range, from the
// file or the configuration, are clamped into it. A damaged or foreign save
// file is kept beside the new one as "<file>.bad" (or ".bad1", ".bad2", ...
// when earlier copies exist; the store copies it while loading, before any
// save).
//
// initApp: the screen creators and game flow, the window (always windowed
// first), the random seed, the global resources, the sound effects and scene
// music, the UI services, the cursor mode, the first screen (the logo
// sequence when logo screens are configured, else the main menu), then full
// screen and the volumes from the save. When SDL or the video mode cannot
// be set up, start-up stops at once and startupFailed() is true: the caller
// must not run the loop. A missing audio device only leaves the game silent.
//
// Start-up failures (SDL, audio device, video mode, the missing tuning file,
// a save folder another copy holds) are appended to "error.txt" in the save
// folder, one line each:
//   "Build " + buildVersionString() + " | " + local time + " | " + message,
// the message followed by what was tried and SDL's reason. The first save
// of a run that fails (a folder that cannot be written, a full disk) adds
// "The game could not be saved: " and the store's reason there too; the
// previous save stays as it was.
//
// While the window has no input focus the sound is muted and the pause screen
// lies on top; regaining the focus restores the saved volumes and removes
// that very screen (whatever was pushed above it in the meantime stays).
// Closing the window or Alt+F4 opens the quit dialog, once; its "yes" ends
// the loop, and the exit saves the store. SIGTERM, SIGINT and SIGHUP end the
// loop without the dialog (see SDLGameApp), and the exit saves as well;
// before the loop runs they end the program at once (nothing to save yet).
#include "engine/app/SDLGameApp.h"
#include "game/GameShell.h"
#include "game/GlobalEventManager.h"
#include "quillendar/platform/KeyboardHook.h"
#include "quillendar/platform/WindowControl.h"

#include <ctime>
#include <memory>
#include <string>

class ConfigFile;
class FolderLock;
class GameUiServices;
class ScreenBase;
template <typename T>
class GenericEntry;
struct SDL_Cursor;

class QuillendarApp : public SDLGameApp, public GlobalEventManager, public GameShell {
public:
    static constexpr const char* GameId = "QD001";
    // The file in the save folder whose lock the running copy holds.
    static constexpr const char* SaveFolderLockName = "instance.lock";

    // The construction sequence above. Throws ConfigFile::file_not_found
    // when the tuning file is missing.
    QuillendarApp();
    // Removes the keyboard hook, pops and deletes every screen from the top
    // down, uninstalls the UI services and the tuning table and deletes the
    // sound-effect container and the configuration record, then the engine
    // application goes.
    ~QuillendarApp() override;

    // The game application, or null.
    static QuillendarApp* instance();

    // The start-up sequence above.
    void initApp() override;
    // True when initApp stopped because SDL or the video mode failed, or
    // because another copy of the game holds the save folder.
    bool startupFailed() const { return startFailed; }

    // A new main menu, shown.
    void showStartScreen() override;
    // Opens the quit dialog unless one is open; always false (the dialog's
    // "yes" ends the loop).
    bool onQuitRequested() override;
    // Saves the store.
    void onExit() override;
    std::string getGameId() const override;
    // The window icon "content/Icon/Icon.png"; skipped when it cannot be loaded.
    void onBeforeVideoMode() override;
    void onFocusGained() override;
    void onFocusLost() override;
    // Turns a requested maximise into full screen.
    void onUpdate(int dt) override;
    // Codes 0-2: appends the error line; other codes do nothing.
    void reportInitError(int& code) override;
    // Stores the mode in FULL_SCREEN, adjusts the keyboard hook and the
    // window's maximise box, fires the global event 0; returns true.
    bool onVideoModeChanged(int width, int height, bool fullscreen) override;
    void onFullscreenRestored() override;
    void onFullscreenLeft() override;

    // Switches between the configuration's first custom cursor (drawn by the
    // engine, the system cursor hidden) and the system cursor. When the
    // custom cursor cannot be made, the system cursor stays.
    void applyCursorMode(bool customCursor) override;
    // The build date (buildVersionString, without its trailing blank).
    std::string versionString() const override;

    // Set by the quit dialog while it is open.
    bool isQuitDialogOpen() const override { return quitDialogOpen; }
    void setQuitDialogOpen(bool open) override { quitDialogOpen = open; }
    // The pause screen on the stack, or null (owned by the stack).
    ScreenBase* getPauseScreen() const { return pauseScreen; }
    // What the window's maximise box would report: the next update switches
    // to full screen. This platform has no maximise box; tests use this.
    void requestMaximize() { maximizeRequested = true; }
    ConfigFile* getGameParameters() const { return gameParameters.get(); }
    const KeyboardHook& getKeyboardHook() const { return keyboardHook; }
    const WindowControl& getWindowControl() const { return windowControl; }

    // The build date as digits yymmdd followed by one space ("100917 ").
    static std::string buildVersionString();
    // The same for a date written like __DATE__ ("Sep 17 2010", "Jan  5 2024");
    // an unknown month gives month 00.
    static std::string versionStringFromDate(const std::string& date);
    // The error-log line for a start-up failure code (without line feed),
    // its message followed by `detail` when that is not empty; "" for a code
    // that is not logged.
    static std::string errorLine(int code, std::time_t when, const std::string& detail = std::string());
    // An error-log line with the build and the time in front of `message`.
    static std::string errorLogLine(const std::string& message, std::time_t when);
    // <app data>/<save folder>
    static std::string saveFolder();

private:
    // Appends the line to "error.txt" in the save folder (made when
    // missing); on standard error when that cannot be written.
    static void appendToErrorLog(const std::string& line);
    void setUpSaveGame();
    // The int / char save entry under the key, or null.
    GenericEntry<int>* intEntry(const char* key) const;
    GenericEntry<char>* charEntry(const char* key) const;
    void applySavedVolumes();
    // Takes the recorded pause screen off the stack, wherever it lies, and
    // forgets it.
    void removePauseScreen();
    // Frees the cursor that hides the system one, while SDL still runs.
    void releaseBlankCursor();
    // Undoes the construction so far (the constructor failed).
    void undoConstruction();

    bool quitDialogOpen = false;
    ScreenBase* pauseScreen = nullptr;  // not owned: the stack owns it
    bool maximizeRequested = false;
    SDL_Cursor* savedSystemCursor = nullptr;  // owned by SDL
    SDL_Cursor* blankCursor = nullptr;        // ours; freed before SDL quits
    std::unique_ptr<ConfigFile> gameParameters;
    std::unique_ptr<GameUiServices> uiServicesImpl;
    KeyboardHook keyboardHook;
    WindowControl windowControl;
    bool startFailed = false;
    // Held from the save-game set-up to the end: no other copy of the game
    // uses the save folder meanwhile.
    std::unique_ptr<FolderLock> folderLock;
    // Another copy held the save folder: this one has no save store and
    // does not start.
    bool saveFolderHeld = false;
    // A failed save was told in the error log in this run.
    bool saveFailureLogged = false;
};
