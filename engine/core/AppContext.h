#pragma once
// The narrow view of the running application that lower engine modules use
// (window size, clock, mouse position, resource managers, closing a screen).
// The application implements it and installs itself at construction; until
// then `appContext()` is null and callers fall back to their defaults. It cuts
// the cycles screens <-> application, widgets -> configuration and so on.
#include "engine/core/Types.h"

class GameClock;
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
    // Pops the top screen (the argument is not consulted).
    virtual void closeScreen(ScreenBase* screen) = 0;
};

// The installed application, or null when none runs (unit tests).
AppContext* appContext();
// Installs (or with null, clears) the application.
void setAppContext(AppContext* app);
