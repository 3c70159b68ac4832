#pragma once
// A firefly: a small picture that wanders around its home point with a
// randomly varying heading and speed, turns back toward home whenever it is
// `radius` pixels or more away, and pulses in size (swelling by up to 0.8
// and back, over 0.3 to 2.3 seconds, one pulse after another).
//
// Time is the frame time handed to update() (speeds are per second); random
// numbers come from randomBelow. The widget keeps its input and the size of
// its picture, so the pointer hits it like any ImageWidget (its mouse
// operations do nothing). The texture is not owned.
#include "engine/anim/ActionListener.h"
#include "engine/ui/ImageWidget.h"

#include <cstdint>
#include <memory>

class ActionSequence;
template <typename T>
class RelIncrementator;

class FireflyWidget : public ImageWidget, public ActionListener {
public:
    FireflyWidget(GLTexture* texture, int x, int y, int radius, float minSpeed, float maxSpeed, float turnRate,
                  float speedVariation);
    ~FireflyWidget() override;

    void update(int dt, ScreenBase* screen) override;
    // The picture scaled by the pulse about its top-left corner.
    void draw(Graphics& g, ScreenBase* screen) override;
    // A pulse ended (id 0): the next one starts.
    void onActionFinished(int32_t id) override;

    float getPosX() const { return posX; }
    float getPosY() const { return posY; }
    float getHeading() const { return heading; }
    float getSpeed() const { return speed; }
    float getScale() const { return scale; }
    int getHomeX() const { return homeX; }
    int getHomeY() const { return homeY; }

private:
    void buildPulse();
    // Retunes the pulse to a new random length and swell and starts it.
    void startPulse();
    void steer(int dt);
    void turnHome(int dt);
    void changeSpeed(int dt);
    void move(int dt);

    int32_t homeX, homeY;
    float posX, posY;
    int32_t radius;
    float heading = 0;
    float speed;
    float maxSpeed, minSpeed;
    float turnRate;
    float speedVariation;
    int32_t turnTimer = 0;
    float turnDirection = -1.0f;
    float scale = 1.0f;
    std::unique_ptr<ActionSequence> pulse;
    RelIncrementator<float>* swellUp = nullptr;    // owned by pulse
    RelIncrementator<float>* swellDown = nullptr;  // owned by pulse
    bool pulseDone = false;
};
