#pragma once
// The heads-up display of the game scene: the clue caption ("CLUE_LIST")
// above the goal panel, the caption that asks for a spell's target
// ("CHOOSE_YOUR_ITEM"), and the navigation buttons at the left edge: the
// main-menu button (id 12) before quest 4, the map button (id 8) from quest 4
// on, both at (0, 678), and from quest 3 on the runes button (id 9) at
// (0, 720). The staff and the spell buttons are not part of it.
//
// Every widget is made only when missing and is added to the screen, which
// owns it; the HUD keeps non-owning pointers. Texts are label texts; the
// button pictures come from the scene GUI textures.
#include <string>

class QuarnButton;
class QuarnButtonListener;
class ScreenBase;
class TextLabel;
class Widget;

class SceneHud {
public:
    enum ButtonId { MapButton = 8, RunesButton = 9, MenuButton = 12 };
    static constexpr int NavigationY = 678;
    static constexpr int RunesY = 720;

    // Neither is owned; the listener hears the buttons.
    SceneHud(ScreenBase* screen, QuarnButtonListener* listener);

    // The captions, the navigation buttons for the quest and, from quest 3
    // on, the runes button.
    void show(int questId);
    // The menu button before quest 4, else the map button; the other one
    // goes.
    void buildNavigationButtons(int questId);
    // Raises the buttons above the goal panel and shows the clue caption.
    void raise();
    // Hides the clue caption, the goal panel (may be null) and the choose
    // caption.
    void hide(Widget* goalPanel);
    // Shows or hides the caption asking for a spell's target.
    void showChooseCaption(bool on);

    TextLabel* getClueCaption() const { return clueCaption; }
    TextLabel* getChooseCaption() const { return chooseCaption; }
    QuarnButton* getMenuButton() const { return menuButton; }
    QuarnButton* getMapButton() const { return mapButton; }
    QuarnButton* getRunesButton() const { return runesButton; }

private:
    TextLabel* makeCaption(const std::string& labelId, bool large, int y);
    QuarnButton* makeButton(int id, const std::string& captionId, const std::string& tooltipId,
                            const char* normalTexture, const char* hoverTexture, int y);
    void raise(Widget* widget);

    ScreenBase* screen;             // not owned
    QuarnButtonListener* listener;  // not owned
    TextLabel* clueCaption = nullptr;
    TextLabel* chooseCaption = nullptr;
    QuarnButton* menuButton = nullptr;
    QuarnButton* mapButton = nullptr;
    QuarnButton* runesButton = nullptr;
};
