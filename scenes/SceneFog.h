#pragma once
// The darkness that random clicking brings over a hidden-object scene. Four
// missed clicks within 1000 ms of game time bring the fog: the screen darkens
// to "QDScene.FogAlphaValue" over "QDScene.FogFadeDuration" ms, stays for
// "QDScene.FogDuration" ms and clears again. Another burst while the fog
// runs turns it into the spyhole: darkness "QDScene.SpyholeAlphaValue" with
// a clear disc around the pointer, for "QDScene.SpyholeDuration" ms, counted
// down on screen in seconds. A burst while the spyhole runs changes nothing.
//
// Time moves only by the milliseconds given to update(). The sequences are
// owned; the textures and fonts handed to draw are not.
#include "engine/anim/ActionListener.h"

#include <cstdint>
#include <memory>
#include <vector>

class Action;
class Font;
class GLTexture;
class Graphics;

class SceneFog : public ActionListener {
public:
    enum Mode { Fog = 0, Spyhole = 1 };
    static constexpr int BurstClicks = 4;
    static constexpr uint32_t BurstWindowMs = 1000;

    SceneFog();
    ~SceneFog() override;
    SceneFog(const SceneFog&) = delete;
    SceneFog& operator=(const SceneFog&) = delete;

    // Records a missed click at the game-clock time; true when it completes a
    // burst (the recorded times are then forgotten and the caller starts the
    // fog).
    bool recordMiss(uint64_t nowMs);
    // Brings the fog, or turns a running fog into the spyhole (see above).
    void start();
    void update(int dt);
    // The fog over the whole 1024 x 768 screen, or the spyhole (the picture,
    // which is clear in its middle, centred on the pointer and black around
    // it) with its countdown. Null textures or fonts leave their part out.
    void draw(Graphics& g, int pointerX, int pointerY, GLTexture* spyhole, Font* countdownFont) const;
    // A sequence ended: the spyhole is off.
    void onActionFinished(int32_t id) override;

    // Whether the newest time minus the count-th newest is below the window
    // (an unsigned difference); false with fewer times.
    static bool clicksWithin(const std::vector<uint64_t>& times, size_t count, uint32_t windowMs);

    int getAlpha() const { return alpha; }
    bool isFogOn() const { return fogOn; }
    bool isSpyholeOn() const { return spyholeOn; }
    bool isCountdownShown() const { return showCountdown; }
    int getCountdownMs() const { return countdownMs; }
    const std::vector<uint64_t>& getClickTimes() const { return clickTimes; }
    // A sequence of the mode is running.
    bool isRunning(Mode mode) const;

private:
    std::vector<std::unique_ptr<Action>> actions;
    std::vector<uint64_t> clickTimes;
    int alpha = 0;
    int countdownMs = 0;
    bool fogOn = false;
    bool spyholeOn = false;
    bool showCountdown = false;
};
