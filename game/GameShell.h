#pragma once
// What the screens need of the game application beyond the engine's
// AppContext: the quit-dialog flag and the cursor mode. The application
// implements it and installs itself while it runs, so that screens reach it
// without depending on the program's top folder.
#include <string>

class GameShell {
public:
    virtual ~GameShell() = default;

    // True while a quit dialog is open (the application then opens no second one).
    virtual bool isQuitDialogOpen() const = 0;
    virtual void setQuitDialogOpen(bool open) = 0;
    // Switches between the configured custom cursor and the system cursor.
    virtual void applyCursorMode(bool customCursor) = 0;
    // The build's date as yymmdd (the version the options menu shows); empty
    // when the application does not know it.
    virtual std::string versionString() const { return std::string(); }

    // The running game application, or null (unit tests, after its end).
    static GameShell* instance();
    // Installs (or with null, clears) the application.
    static void install(GameShell* shell);
};
