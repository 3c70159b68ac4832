#pragma once
// The shooting practice minigame (quest 23): an archery range driven by one
// button. A shot takes three presses: the first sets a dot swinging along a
// horizontal bar, the second freezes it and sets a dot swinging along a
// vertical bar, the third freezes that one and shoots; the big arrow leaves,
// the target fades in and the small arrow shows stuck in it where the two
// frozen dots aim (ShootingRange::marker). A fourth press clears the range.
// Five shots solve the game; the phases and the count are ShootingRange.
//
// The dot swings out to the end of its bar and back in 2000 ms and the big
// arrow sways from side to side in 4000 ms, over and over, until stopped.
// The aiming sound "MG_SHOOTINGPRACTICE_AIM" loops from the first press to
// the shot, and stops with the screen whenever it goes.
//
// Pictures: the registered "MG_SHOOTING_*" textures. The target mask is
// drawn over the small arrow (its picture is transparent but for what lies
// in front of the target); the bar frame over the bar and the dot.
#include "minigames/MiniGameBase.h"
#include "minigames/ShootingRange.h"

#include <memory>
#include <string>
#include <vector>

class Action;
class QuarnButton;

class MgShootingPractice : public MiniGameBase {
public:
    // The button's top-left corner and the counter's box.
    static const Point ButtonPlace;
    static const WidgetGeometry CounterBox;

    explicit MgShootingPractice(int questId);
    // Stops the aiming sound that may still loop.
    ~MgShootingPractice() override;

    // A click (event 1) on the button: the next phase.
    void onButtonEvent(int id, int event) override;
    // The target fade (2) starts the mark's (3), whose end frees the button;
    // 1122 the finished message.
    void onActionFinished(int32_t id) override;

    // The range's description, the dots and the mark.
    std::string puzzleState() const override;

    const ShootingRange& getRange() const { return range; }
    QuarnButton* getButton() const { return button; }
    int getDotX() const { return dotX; }
    int getDotY() const { return dotY; }
    Point getMarker() const { return markerPosition; }
    int getTargetAlpha() const { return targetAlpha; }
    int getMarkerAlpha() const { return markerAlpha; }
    // The dot's travel along a bar: bar width - dot width.
    int travel() const;

protected:
    void loadResources() override;
    void build() override;
    void onUpdate(int dt) override;
    void drawBackground(Graphics& g) override;

private:
    // The caption and tooltip label ids of the button.
    void setCaption(const std::string& labelId);
    // Stops the swings and the sway.
    void stopAiming();
    void drawBar(Graphics& g);

    ShootingRange range;
    int targetAlpha = 0;
    int markerAlpha = 0;
    int arrowSway = 0;
    int arrowY = -1;
    int dotX = 0;
    int dotY = 0;
    Point markerPosition;
    QuarnButton* button = nullptr;  // owned by the screen
    // Made once in build and restarted as needed; updated by this game every
    // frame. The pointers below point into it.
    std::vector<std::unique_ptr<Action>> ownActions;
    Action* swingX = nullptr;
    Action* swingY = nullptr;
    Action* sway = nullptr;
    Action* targetFade = nullptr;
    Action* markerFade = nullptr;
    bool aimSoundOn = false;
};
