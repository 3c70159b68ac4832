#pragma once
// The cipher tiles' exchange: both tiles grow by a tenth (liftTime), travel
// to each other's places while tilting by swingAngle, tile A one way and
// tile B the other (moveTime), and shrink back (liftTime): 900 ms. Then the
// game commits the swap and the tiles swing out like a damped pendulum
// about a point near their top edge (rotation pivot (80, 10)), with the
// sound "MG_CIPHERTILES_SWING", and come to rest upright after 1958 ms.
//
// Both phases are built as action trees when the exchange starts and run on
// the time given to update().
#include "engine/anim/ActionListener.h"
#include "minigames/TileSwapEffect.h"

#include <memory>
#include <vector>

class Action;

class SwingSwapEffect : public TileSwapEffect, public ActionListener {
public:
    static constexpr int LiftTime = 200;
    static constexpr int MoveTime = 500;
    static constexpr float SwingAngle = 10.0f;
    static constexpr int MoveActionId = 0;
    static constexpr int SwingActionId = 1;

    // One step of the swing: the angle moves by `distance` degrees in `ms`,
    // from rest (accelerating) or to rest (decelerating).
    struct SwingStep {
        float distance;
        int ms;
        bool fromRest;
    };

    SwingSwapEffect();
    ~SwingSwapEffect() override;

    // Keeps the tiles and the listener, builds both phases, starts the
    // movement and tells the listener onSwapStarted.
    void start(TileWidget* a, TileWidget* b, TileSwapListener* listener) override;
    void update(int dt) override;
    // 0: the movement is over: commit, then the swing starts (with its
    // sound). 1: the swing is over: finished.
    void onActionFinished(int32_t id) override;

    bool isRunning() const;

    // The swing of one tile, `sign` +1 for tile A and -1 for tile B: a
    // lead-in of -sign x angle over 200 ms from rest, then while the
    // amplitude c (from `angle`) exceeds 0.5: the sign flips, a step of
    // sign x c to rest and one of -sign x c from rest, each over t ms (from
    // 200); then c /= 1.5 and t /= 1.22, in 32-bit floats, step lengths
    // truncated.
    static std::vector<SwingStep> swingSchedule(float angle, int sign);

private:
    std::unique_ptr<Action> buildMove(TileWidget* tile, int dx, int dy, float tilt);
    std::unique_ptr<Action> buildSwing(TileWidget* tile, int sign);

    TileSwapListener* listener = nullptr;  // not owned
    TileWidget* tileA = nullptr;           // not owned
    TileWidget* tileB = nullptr;           // not owned
    std::unique_ptr<Action> moveAction;
    std::unique_ptr<Action> swingAction;
};
