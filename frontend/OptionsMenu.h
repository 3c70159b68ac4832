#pragma once
// The settings dialog over the main menu: after the opening clip, sliders
// for the music (0) and sound (1) volumes, check boxes for full screen (0)
// and the custom cursor (1), buttons CREDITS (0), HIGHSCORE (1) and OK (2),
// labels and the version line. Volumes and the cursor apply at once; full
// screen when the dialog closes. OK takes the widgets off and plays the
// closing clip; then the settings are written to the save file, the window
// mode follows "FULL_SCREEN" (switched only when it differs) and the menu
// closes (code 2) and pops itself. A video-mode change while it is open
// (Alt+Return) shows in the full-screen box.
#include "engine/ui/AnimationPlayerListener.h"
#include "engine/ui/CheckBoxListener.h"
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/CustomSliderListener.h"
#include "frontend/OptionsSettings.h"
#include "game/GlobalEventListener.h"

#include <memory>
#include <vector>

class AnimationPlayer;
class CustomCheckBox;
class CustomSliderWidget;
class QuarnButton;
class Widget;

class OptionsMenu : public ScreenBase,
                    public QuarnButtonListener,
                    public CheckBoxListener,
                    public CustomSliderListener,
                    public AnimationPlayerListener,
                    public GlobalEventListener {
public:
    enum ButtonId { CreditsButton = 0, HighScoreButton = 1, OkButton = 2 };
    enum BoxId { FullScreenBox = 0, CursorBox = 1 };
    enum SliderId { MusicSlider = 0, SoundSlider = 1 };
    enum ClipId { OpenClip = 0, CloseClip = 1 };
    static constexpr int CloseCode = 2;

    OptionsMenu();
    ~OptionsMenu() override;

    void onButtonEvent(int id, int event) override;
    void onCheckChanged(int id, bool checked) override;
    void onSliderChanged(int id, float value) override;
    void onAnimationFinished(int32_t id) override;
    void onGlobalEvent(int eventId, int value) override;

    OptionsSettings& getSettings() { return settings; }
    bool isOpen() const { return open; }
    CustomCheckBox* getBox(int id) const { return id == FullScreenBox ? fullScreenBox : cursorBox; }
    CustomSliderWidget* getSlider(int id) const { return id == MusicSlider ? musicSlider : soundSlider; }
    // "VERSION", a blank and the build date.
    std::string versionText() const;
    // The label showing versionText (null before the widgets are built).
    Widget* getVersionLine() const { return versionLabel; }

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    void onClosed(int resultCode) override;

private:
    void buildWidgets();
    void takeWidgetsOff();
    CustomSliderWidget* makeSlider(int id, int x, int y, const char* tooltip, int volume);
    CustomCheckBox* makeBox(int id, int x, int y, const char* tooltip, bool checked);
    Widget* makeLabel(const char* id, const char* font, int x, int y, bool rightAligned);

    OptionsSettings settings;
    std::unique_ptr<AnimationPlayer> player;
    // All thirteen, owned here, in the order they are added to the manager.
    std::vector<std::unique_ptr<Widget>> owned;
    CustomCheckBox* fullScreenBox = nullptr;
    CustomCheckBox* cursorBox = nullptr;
    CustomSliderWidget* musicSlider = nullptr;
    CustomSliderWidget* soundSlider = nullptr;
    Widget* versionLabel = nullptr;
    int eventHandle = -1;
    bool open = false;
    int ox = 0, oy = 0, panelWidth = 0, panelHeight = 0;
};
