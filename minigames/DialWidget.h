#pragma once
// A picture that the player turns about its own centre by dragging it;
// released close enough to its target angle it snaps there and locks (see
// DialRotation for the rules). Only the picture's opaque pixels take the
// pointer (the unrotated picture's), so of concentric rings lying on top of
// each other only the ring under the pointer is grabbed.
//
// While active it reports (id, 0) on a press and (id, 1) on a release to
// its listener, with the sounds "MG_PRESS" and "MG_RELEASE"; a snapping
// release plays "MG_INPLACE" first, and the listener hears of the release
// after the snap. A locked dial reports nothing and never moves again
// (unless its owner makes it active again). It is drawn grey (200) while
// active and white once locked. The texture is not owned.
#include "engine/ui/ClickableImageWidget.h"
#include "minigames/DialRotation.h"

class DialWidget : public ClickableImageWidget {
public:
    // Sized to the texture at (0, 0). `randomStart` makes the dial active
    // and gives it a random whole angle (0 to 359); without it the dial is
    // inactive at angle 0. The target is 0 and both directions turn it.
    DialWidget(bool randomStart, SimpleButtonListener* listener, int id, GLTexture* texture, float tolerance,
               float factor);

    void onMousePress(MouseEvent* event) override;
    void onMouseMove(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;
    // Rotated by the angle about the picture's middle.
    void draw(Graphics& g, ScreenBase* screen) override;

    virtual bool isInPlace() const { return rotation.isInPlace(); }

    DialRotation& getRotation() { return rotation; }
    const DialRotation& getRotation() const { return rotation; }
    float getAngle() const { return rotation.angle; }
    bool isActive() const { return rotation.active; }
    void setActive(bool on) { rotation.active = on; }
    void setTargetAngle(float target) { rotation.targetAngle = target; }
    void setDirectionMode(int mode) { rotation.directionMode = mode; }

protected:
    // The pointer's angle about this dial's middle.
    float pointerAngle(const MouseEvent& event) const;
    // Turns the graphics about the picture's middle by the angle.
    void applyRotation(Graphics& g) const;

    DialRotation rotation;
};
