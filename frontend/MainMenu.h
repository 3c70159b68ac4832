#pragma once
// The title screen: over a painted sky a thunderstorm (random lightning,
// rain, drifting clouds), a sword with two cloth banners fluttering in a
// gusting wind, the logo, a welcome line with the current player's name, and
// four buttons: PLAY, CHANGE_PROFILE, OPTIONS, EXIT.
//
// PLAY closes the menu (code 0) and, once it has popped itself, goes on:
//  - the map, when the map has been reached;
//  - else the current profile's story where it was left (its flow
//    position), when a game was started for it;
//  - else a new game: the profile's progress, the item registry and the
//    quests start afresh, the flow goes to 0 and the prologue shows.
// With no current profile PLAY opens the profiles menu instead, also when the
// quests stand past the map (there is nobody to save that play to). When the
// stored flow position gives no screen, a new main menu shows, so the stack
// is never left empty.
// CHANGE_PROFILE opens the profiles menu on top, OPTIONS the options menu;
// codes 1 and 2, which no button gives (only a test driver closes the menu
// with them), lead to the scene and minigame jump menus. EXIT opens the quit
// dialog (or, without a game application, closes with code 4, a quit
// request). With no profile at all the profiles menu opens by itself once
// the menu is in.
//
// A ScreenBase3D: the banners are drawn lit in the perspective pass between
// the sky and the 2-D widgets. The storm's thunder is timed by delays fed
// with the frame time; their intervals come from the tuning keys
// "MainMenu.MinThunderInterval" and "MainMenu.MaxThunderInterval" (4000 and
// 12000 ms when absent).
#include "engine/anim/ActionListener.h"
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase3D.h"
#include "frontend/WindState.h"

#include <memory>
#include <vector>

class ActionDelay;
class AnimationPlayer;
class GLTexture;
class MyLightningWidget;
class RainWidget;
class TextLabel;
struct ClothSimulation;

class MainMenu : public ScreenBase3D, public QuarnButtonListener, public ActionListener {
public:
    enum ButtonId { PlayButton = 0, OptionsButton = 3, ExitButton = 4, ProfilesButton = 5 };
    enum CloseCode { PlayCode = 0, ScenesMenuCode = 1, MiniGamesMenuCode = 2, QuitCode = 4 };
    static constexpr int FadeMs = 500;
    static constexpr int DefaultMinThunderMs = 4000;
    static constexpr int DefaultMaxThunderMs = 12000;
    // One thunder in five follows the previous one after this delay.
    static constexpr int QuickThunderMs = 130;

    MainMenu();
    ~MainMenu() override;

    // The keyboard does nothing here.
    void onKey(KeyEvent* event) override;
    // The screen above has gone: the name line shows the current profile.
    void activate(GameApp* app) override;

    // QuarnButtonListener: releases (event 1) of the four buttons.
    void onButtonEvent(int id, int event) override;
    // A thunder delay ran out (id 0): a strike, and the next thunder.
    void onActionFinished(int32_t id) override;

    // The delay before the next thunder: 130 ms one time in five, otherwise
    // min plus a random part below (max - min) (none when max <= min).
    static int thunderDelay(int minMs, int maxMs);
    // The current profile's name, or "" without one.
    static std::string playerName();

    const WindState& getWind() const { return wind; }
    const ClothSimulation* getBigBanner() const { return bigBanner.get(); }
    const ClothSimulation* getSmallBanner() const { return smallBanner.get(); }
    MyLightningWidget* getLightning() const { return lightning.get(); }
    RainWidget* getRain() const { return rain; }
    TextLabel* getNameLabel() const { return nameLabel; }
    // Thunder delays still waiting.
    int pendingThunders() const;

protected:
    void loadResources() override;
    void build() override;
    void onUpdate(int dt) override;
    void drawBackground(Graphics& g) override;
    void onEntered() override;
    void onClosed(int resultCode) override;
    void drawUnder3D(Graphics& g) override;
    void draw3D(Graphics& g) override;

private:
    void scheduleThunder();
    void addButtons();
    void addLabels();
    // The PLAY routes after the menu has popped itself.
    static void play();
    static void showProfilesMenu();

    std::unique_ptr<AnimationPlayer> player;
    TextLabel* nameLabel = nullptr;  // owned by the screen's widgets
    RainWidget* rain = nullptr;      // owned by the screen's widgets
    std::unique_ptr<MyLightningWidget> lightning;
    std::vector<std::unique_ptr<ActionDelay>> thunderDelays;
    // Spent delays, started again for later thunders.
    std::vector<std::unique_ptr<ActionDelay>> spareDelays;
    std::unique_ptr<ClothSimulation> bigBanner;
    std::unique_ptr<ClothSimulation> smallBanner;
    WindState wind;
    // Owned by the screen's resource manager.
    GLTexture* sky = nullptr;
    GLTexture* sword = nullptr;
    GLTexture* knot = nullptr;
};
