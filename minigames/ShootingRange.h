#pragma once
// The rules of the shooting practice, without widgets: the one button's
// phase machine, the shot count and where an arrow lands.
//
// Phases: 0 ready, 1 aiming along the horizontal bar, 2 aiming along the
// vertical bar, 3 shot (the target fades in, then the arrow's mark). Each
// press moves one phase on; the press in phase 3 is ignored while the
// target is fading (busy) and otherwise either starts the next shot or,
// after the ShotCount-th shot, finishes the game. Where the arrows land
// does not matter.
//
// Landing: the two frozen dot positions (0 ... a along each bar, a = bar
// width - dot width) map to a point, pulled onto the circle of radius
// TargetRadius around TargetCentre when it lies outside it.
#include "engine/core/Types.h"

#include <string>

class ShootingRange {
public:
    static constexpr int ShotCount = 5;
    static constexpr int TargetRadius = 256;
    static const Point TargetCentre;

    // What a press asks of the screen.
    enum Press {
        Ignored,
        StartAiming,     // 0 -> 1: a new shot, the dot swings along x
        StopHorizontal,  // 1 -> 2: x frozen, the dot swings along y
        Shoot,           // 2 -> 3: y frozen, the arrow flies, busy
        NextShot,        // 3 -> 0: the range is cleared
        Finished         // after the last shot: the game is solved
    };

    Press press();
    // The target and mark fades are over: presses count again.
    void setBusy(bool on) { busy = on; }

    int getPhase() const { return phase; }
    int getShots() const { return shots; }
    bool isBusy() const { return busy; }
    bool isFinished() const { return finished; }
    bool isAimingHorizontally() const { return phase == 1; }
    bool isAimingVertically() const { return phase == 2; }

    // Where the small arrow lands for the dot positions (dotX, dotY) on bars
    // of travel a. A bar no longer than its dot (a <= 0) has no travel: the
    // arrow lands in the middle.
    static Point marker(int dotX, int dotY, int a);

    // "phase=1 shots=1 busy=0 finished=0" (logs, the driver).
    std::string describe() const;

private:
    int phase = 0;
    int shots = 0;
    bool busy = false;
    bool finished = false;
};
