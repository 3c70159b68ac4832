#pragma once
// What the standard widgets need from the game without the engine knowing the
// game: named sound effects and the three default fonts. The game installs
// its implementation at start-up, after its sound list and global fonts are
// loaded. Until then `uiServices()` is null: widgets stay silent and draw no
// tooltip.
#include <string>

class Font;

class UiServices {
public:
    virtual ~UiServices() = default;

    // True once the game's list of named effects is loaded; widgets play
    // named effects only then.
    virtual bool soundsLoaded() const = 0;
    // Plays the named effect once ("BUTTON_OVER", "BUTTON_PRESS",
    // "CHECKBOX_CHECK", "CHECKBOX_UNCHECK", "TEXT_INPUT"); an unknown name
    // does nothing.
    virtual void playNamed(const std::string& name) = 0;
    // Fonts for tooltips, text lists and text fields; null when not loaded.
    // Not owned by the caller.
    virtual Font* tooltipFont() = 0;
    virtual Font* listFont() = 0;
    virtual Font* inputFont() = 0;
};

// The installed services, or null.
UiServices* uiServices();
// Installs (or with null, clears) the services; not owned.
void setUiServices(UiServices* services);

// Plays a named effect through the installed services when their sounds are
// loaded; does nothing otherwise.
void playUiSound(const std::string& name);
