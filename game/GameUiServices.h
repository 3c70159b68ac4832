#pragma once
// The game's side of the engine's UiServices: the standard widgets play
// their named effects through the sound-effect container and take their
// default fonts from the application's resource manager:
//   tooltips "FONT_TRISK10", text lists "FONT_TIMES16", text fields
//   "FONT_TIMES24".
// The application installs it (setUiServices) once its global fonts are
// registered, and uninstalls it before it goes.
#include "engine/ui/UiServices.h"

class ResourceManager;

class GameUiServices : public UiServices {
public:
    // `fonts` is the manager holding the global fonts (not owned; may be
    // null, then every font is null).
    explicit GameUiServices(ResourceManager* fonts);
    ~GameUiServices() override;
    GameUiServices(const GameUiServices&) = delete;
    GameUiServices& operator=(const GameUiServices&) = delete;

    // The sound-effect container exists and has read its list. Never creates
    // the container.
    bool soundsLoaded() const override;
    // Plays the effect once through the container, when it exists.
    void playNamed(const std::string& name) override;
    Font* tooltipFont() override;
    Font* listFont() override;
    Font* inputFont() override;

private:
    Font* font(const char* id) const;

    ResourceManager* fonts;  // not owned
};
