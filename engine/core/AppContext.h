#pragma once
// The narrow view of the running application that lower engine modules use
// (window size, clock, mouse position, resource managers, closing a screen,
// asking to quit).
// The application implements it and installs itself at construction; until
// then `appContext()` is null and callers fall back to their defaults. It cuts
// the cycles screens <-> application, widgets -> configuration and so on.
#include "engine/core/Types.h"

#include <string>

class GameClock;
class GLTexture;
class ResourceManager;
class ScreenBase;

class AppContext {
public:
    virtual ~AppContext() = default;

    virtual int getWidth() const = 0;
    virtual int getHeight() const = 0;
    virtual GameClock* getClock() = 0;
    virtual Point getMousePos() = 0;
    // The application-wide resource manager (not owned by the caller).
    virtual ResourceManager* getResources() = 0;
    // An extra resource manager kept by the application, which releases and
    // reloads its GPU copies with its own around a re-created GL context;
    // `index` receives the slot to give destroyResourceManager. The default
    // has no such managers: it returns null (index -1), and the caller then
    // keeps a manager of its own.
    virtual ResourceManager* createResourceManager(int& index)
    {
        index = -1;
        return nullptr;
    }
    // Deletes the manager of that slot. The default does nothing.
    virtual void destroyResourceManager(int /*index*/) {}
    // Pops the top screen (the argument is not consulted).
    virtual void closeScreen(ScreenBase* screen) = 0;
    // Puts the screen on top of the stack and takes ownership of it: the old
    // top is deactivated, then the screen's enter runs. Screens call this from
    // their show; everybody else shows a screen through the application.
    virtual void pushScreen(ScreenBase* screen) = 0;
    // Replaces the image of the software cursor and takes ownership of
    // `texture`; the previous image is deleted. Null removes the cursor.
    virtual void setCursorImage(GLTexture* texture) = 0;
    // The id written at the head of the save file.
    virtual std::string getGameId() const { return "UNIMPLEMENTED"; }
    // Asks to end the game the way closing the window does: the main loop
    // then asks the application to confirm. The default does nothing.
    virtual void requestQuit() {}
    // Ends the game without asking again: marks the quit as requested and
    // ends the main loop after the current frame. The default does nothing.
    virtual void requestQuitNow() {}
};

// The installed application, or null when none runs (unit tests).
AppContext* appContext();
// Installs (or with null, clears) the application.
void setAppContext(AppContext* app);
