#pragma once
// The engine's application object: the screen stack, the pausable game
// clock, the label table, the main and extra resource managers, the save
// store and the sound system, and the window size. Exactly one exists while
// the game runs; its constructor installs it as the process-wide AppContext
// (and GameApp::instance()), its destructor clears both.
//
// Ownership: the application owns every object above. Screens on the stack
// belong to the stack and are deleted through their popped(); a screen given
// to replaceScreen on an empty stack is deleted at once.
//
// The stack may change while it is walked: a screen's update, input handling
// or onClosed may push and pop screens (and so delete itself). Every walk goes
// by index and re-checks the size after each call; nothing touches a screen
// after it was popped.
#include "engine/core/AppContext.h"
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class GameClock;
class LabelManager;
class ResourceManager;
class SaveGame;
class ScreenBase;
class SoundSystem;

class GameApp : public AppContext {
public:
    // Creates the label manager, the clock (started) and the main resource
    // manager, and installs the application.
    GameApp();
    // Pops and deletes every screen from the top down, then deletes the save
    // store, the extra managers, the clock, the main manager and the labels.
    ~GameApp() override;
    GameApp(const GameApp&) = delete;
    GameApp& operator=(const GameApp&) = delete;

    // The installed application, or null.
    static GameApp* instance();

    // The game's start-up (opens the window, shows the first screen).
    virtual void initApp() = 0;
    // The 8-bit character of a key's Unicode value (0 when it has none).
    virtual unsigned char unicodeToChar(int unicode) = 0;
    // The main loop; returns when the game ends.
    virtual void run() = 0;
    // Shows the game's first screen; nothing here.
    virtual void showStartScreen();
    Point getMousePos() override = 0;
    virtual void setMousePos(Point position) = 0;
    // Asked when the window was told to close or Alt+F4 was pressed; true
    // ends the loop after this frame. The answer here is yes.
    virtual bool onQuitRequested();
    // Called once after the loop ended, before the shutdown; nothing here.
    virtual void onExit();
    // The id written at the head of the save file.
    std::string getGameId() const override;
    // Writes the current frame to a BMP file; nothing here (returns false).
    virtual bool captureScreen(const std::string& path);

    // If a screen is on top it is deactivated; then the screen is appended
    // and entered. Takes ownership. Null is ignored.
    void pushScreen(ScreenBase* screen) override;
    // Removes the top and lets it delete itself (popped), then activates the
    // new top. Nothing when the stack is empty.
    void popScreen();
    // Removes the top (popped) and shows the screen in its place. On an empty
    // stack the screen is not shown and is deleted, so it never leaks.
    void replaceScreen(ScreenBase* screen);
    // The top of the stack, or null.
    ScreenBase* topScreen() const;
    // The screen's show (which loads and pushes it). Null is ignored.
    void showScreen(ScreenBase* screen);
    // popScreen(); the argument is not consulted.
    void closeScreen(ScreenBase* screen) override;
    // The stack, bottom first (the pointers stay owned by the stack).
    const std::vector<ScreenBase*>& getScreens() const { return screens; }

    // A new empty manager in the next slot; `index` receives the slot.
    // Slots are never reused, so earlier indices stay valid.
    ResourceManager* createResourceManager(int& index) override;
    // Deletes the manager in the slot and leaves the slot empty. An empty
    // slot is left as it is; an index never handed out is ignored with one
    // error line.
    void destroyResourceManager(int index) override;
    // The manager in the slot, or null for an empty or unknown slot.
    ResourceManager* getExtraResources(int index) const;

    int getWidth() const override { return width; }
    int getHeight() const override { return height; }
    GameClock* getClock() override { return clock.get(); }
    ResourceManager* getResources() override { return resources.get(); }
    LabelManager* getLabels() const { return labels.get(); }
    SoundSystem* getSoundSystem() const { return soundSystem.get(); }
    SaveGame* getSaveGame() const { return saveGame.get(); }
    // Takes ownership; a previous store is deleted.
    void setSaveGame(SaveGame* store);

    // Marks a quit as requested, as a quit event does: the loop then asks
    // onQuitRequested at the end of the frame.
    void requestQuit() override { quitRequested = 1; }
    // Marks the quit as requested and ends the loop after the current frame
    // without asking onQuitRequested.
    void requestQuitNow() override
    {
        quitRequested = 1;
        quitNow = 1;
    }
    // The loop ends after the current frame without asking onQuitRequested.
    void setQuitNow() { quitNow = 1; }
    bool isQuitNow() const { return quitNow != 0; }
    bool isQuitRequested() const { return quitRequested != 0; }

protected:
    // Pops and deletes every screen from the top down, without activating
    // the screens below.
    void deleteAllScreens();

    std::unique_ptr<SaveGame> saveGame;
    // A quit event or Alt+F4 arrived this frame; cleared when not granted.
    uint8_t quitRequested = 0;
    // End the loop after this frame.
    uint8_t quitNow = 0;
    // Bottom first; owned, deleted through popped().
    std::vector<ScreenBase*> screens;
    // Counts pushes and pops, so a walk can tell that the stack changed under it.
    uint64_t stackChanges = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::unique_ptr<GameClock> clock;
    std::unique_ptr<ResourceManager> resources;
    std::unique_ptr<LabelManager> labels;
    // Null once destroyed; indices are never reused.
    std::vector<std::unique_ptr<ResourceManager>> extraResources;
    std::unique_ptr<SoundSystem> soundSystem;
};
