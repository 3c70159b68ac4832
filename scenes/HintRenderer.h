#pragma once
// The vision spell's hint: a golden fire ball flies from the staff to the
// middle of the screen; there a golden silhouette of the wanted item swells
// (500 ms), then shrinks back while it flies onto the item (500 ms), fades
// (500 ms) while the vision animation plays on the item, and the
// animation's end lets a paused panorama scroll on. A start during a
// running hint resets it (every step of the old hint stops, its fade too)
// and replaces the fire ball, so one ball at most exists.
//
// The fire ball belongs to the screen's widget list; the actions and the
// animation player are owned; the target is not.
#include "engine/anim/ActionListener.h"
#include "engine/ui/AnimationPlayerListener.h"
#include "engine/ui/Widget.h"

#include <memory>
#include <vector>

class Action;
class AnimationPlayer;
class ItemState;
class ResourceManager;
class SpellFireBall;

class HintRenderer : public Widget, public ActionListener, public AnimationPlayerListener {
public:
    static constexpr int AnimationId = 4;
    static constexpr int StepMs = 500;

    HintRenderer(ScreenBase* screen, ResourceManager* resources);
    ~HintRenderer() override;

    void start(ItemState* item, int offsetX);
    // The fire ball reached the middle of the screen.
    void onArrived();
    void reset();

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    void onActionFinished(int32_t id) override;
    void onAnimationFinished(int32_t id) override;

    bool isActive() const { return active; }
    int getPhase() const { return phase; }
    int getGlowAlpha() const { return glowAlpha; }
    float getGlowX() const { return glowX; }
    float getGlowY() const { return glowY; }
    SpellFireBall* getFireBall() const { return fireBall; }

private:
    void runAction(std::unique_ptr<Action> action, int id);

    int phase = -1;
    int32_t glowAlpha = 0;
    int offsetX = 0;
    float zoom = 1.0f;
    float glowX = -1.0f, glowY = -1.0f;
    int itemCentreX = 0, itemCentreY = 0;
    bool active = false;
    ItemState* target = nullptr;  // not owned
    std::vector<std::unique_ptr<Action>> actions;
    ResourceManager* resources;   // not owned
    std::unique_ptr<AnimationPlayer> player;
    ScreenBase* screen;           // not owned
    SpellFireBall* fireBall = nullptr;  // owned by the screen's widget list
};
