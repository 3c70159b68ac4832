#pragma once
// A knob of the triangle count game: a picture drawn turned by its angle
// about its middle. A press on a knob that is neither locked nor turning
// turns it by `step` degrees (positive: clockwise) in `turnMs`, speeding up
// over the first half and slowing to rest over the second, and plays
// "MG_TRIANGLECOUNT_KNOBLEFT" (a positive step) or
// "MG_TRIANGLECOUNT_KNOBRIGHT". When the turn ends the angle is brought
// back into 0 ... 360 and the listener hears the knob's id.
//
// The turn runs on the game clock. The texture and the listener are not
// owned; the turn is.
#include "engine/anim/ActionListener.h"
#include "engine/ui/ImageWidget.h"

#include <memory>

class Action;
class KnobListener;

class KnobWidget : public ImageWidget, public ActionListener {
public:
    // At (x, y), sized to the picture.
    KnobWidget(GLTexture* image, int x, int y, float step, float turnMs, KnobListener* listener, int knobId);
    ~KnobWidget() override;

    void setLocked(bool on) { locked = on; }
    bool isLocked() const { return locked; }
    bool isTurning() const;
    float getAngle() const { return angle; }
    int getKnobId() const { return knobId; }

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    void onMousePress(MouseEvent* event) override;
    // The turn ended.
    void onActionFinished(int32_t id) override;

private:
    float angle = 0.f;
    std::unique_ptr<Action> turn;
    float step;
    bool locked = false;
    KnobListener* knobListener;  // not owned
    int knobId;
};
