#pragma once
// The turning of a dial, without a widget: the dial's angle follows the
// pointer's angle about the dial's centre while it is dragged, and a
// release close enough to the target snaps it there and locks it.
//
// Angles are degrees; a positive change turns the picture clockwise on the
// screen (y grows downward). A drag step is the change of the pointer's
// angle since the last step, taken the short way round (a crossing of the
// +-180 line counts as the small real step); with directionMode 1, steps
// that would increase the angle are ignored altogether. The angle moves by
// step x rotationFactor and is then brought back into [0, 360) by at most
// one correction, so an angle far outside (a wheel after its spin) comes
// back one turn per step.
class DialRotation {
public:
    static constexpr int BothDirections = 2;
    static constexpr int DecreasingOnly = 1;

    // The pointer's angle about the middle of a w x h picture whose corner
    // is (left, top): atan2 of the offset from (left + w / 2, top + h / 2),
    // the halves in whole pixels, in degrees (-180 to 180).
    static float pointerAngle(int x, int y, int left, int top, int w, int h);
    // d = angle - target folded into [-180, 180] (any number of turns).
    static float offsetFromTarget(float angle, float target);

    // Only while active: the drag starts at this pointer angle. Returns
    // whether it started.
    bool press(float pointer);
    // Only while dragging and active: one drag step to this pointer angle.
    void move(float pointer);
    // Ends the drag. Only while active: when |d| is strictly below the
    // tolerance, the angle becomes the target and the dial locks (inactive).
    // Returns whether it snapped.
    bool release();
    // Exactly at the target (only a snap makes that certain).
    bool isInPlace() const { return angle == targetAngle; }

    float angle = 0.f;
    float lastPointerAngle = 0.f;
    float targetAngle = 0.f;
    float angleTolerance = 1.f;
    float rotationFactor = 1.f;
    int directionMode = BothDirections;
    bool active = false;
    bool dragging = false;
};
