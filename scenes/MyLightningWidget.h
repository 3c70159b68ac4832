#pragma once
// A lightning bolt: strike() grows a new random bolt from the start point
// inside the bounds (a main branch whose direction wanders within `spread`
// degrees around `angle`, with the odd side branch), flashes the whole
// screen white and plays "LIGHTNING". The bolt shows for 200 ms: its lines
// flicker up to full strength and fade, the flash rises to alpha 100 and
// falls. At rest nothing visible is drawn.
//
// Its owner may add it to a screen or update and draw it itself; its own
// geometry stays at 0, 0, so bounds, start and points are screen pixels. It
// never takes input. Time is the frame time handed to update(); random
// numbers come from randomBelow.
#include "engine/anim/ActionListener.h"
#include "engine/core/Types.h"
#include "engine/ui/Widget.h"
#include "scenes/LightningBranch.h"

#include <cstdint>
#include <memory>
#include <vector>

class ParalelAction;

class MyLightningWidget : public Widget, public ActionListener {
public:
    // Pixels a branch grows per step.
    static constexpr float StepLength = 8.f;
    // A main branch that has not left its bounds after this many steps
    // stops anyway, so a bolt whose direction range lets it wander never
    // stalls the game.
    static constexpr int MaxSteps = 2000;
    static constexpr int StrikeMs = 200;

    MyLightningWidget();
    ~MyLightningWidget() override;

    // Copies the bounds, start point, angle and spread; width 4, branching on.
    void aim(const WidgetGeometry& area, PointF from, float direction, float range);
    // A new bolt, the flash (restarted when one is running) and the sound.
    void strike();
    // The bolt of the next strike, without flash or sound (strike() calls it).
    void growBolt();

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    // The strike's alpha animation ended: tells the strike listener.
    void onActionFinished(int32_t id) override;

    // Told onActionFinished(0) at the end of every strike; not owned, may
    // be null.
    void setStrikeListener(ActionListener* listener) { strikeListener = listener; }

    const std::vector<LightningBranch>& getBranches() const { return branches; }
    int getFlashAlpha() const { return flashAlpha; }
    int getBoltAlpha() const { return boltAlpha; }
    bool isStriking() const;

    // Set directly by owners between strikes.
    WidgetGeometry bounds;
    PointF start;
    int32_t width = 3;
    bool branching = true;
    float angle = 90.f;
    float spread = 140.f;

private:
    // One growth step of the branch; true when it advanced.
    bool advance(LightningBranch& branch) const;
    // Sets up `side` as a side branch growing from the parent's tip.
    void sideBranchOf(const LightningBranch& parent, LightningBranch& side) const;
    LightningBranch takeBranch();

    std::vector<LightningBranch> branches;
    std::vector<LightningBranch> spareBranches;  // earlier bolts', points cleared
    std::vector<LightningBranch> spawned;        // side branches of the pass
    std::unique_ptr<ParalelAction> strikeAction;
    int32_t flashAlpha = 0;
    int32_t boltAlpha = 0;
    ActionListener* strikeListener = nullptr;  // not owned
};
