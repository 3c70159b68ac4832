#pragma once
// A sign of the zodiac-signs puzzle: its picture, an optional glow picture
// drawn over it, and its constellation, drawn at its own place on the
// screen. Constellation and glow show at the glow alpha, which fades in
// over the glow time when the sign is placed (startGlow) and out over
// 500 ms at the end (fadeGlowOut). The sign can glide back to its start
// (returnHome, over the return time). Every effect runs on the frame time
// the widget is updated with.
//
// Drawn: the constellation (when the glow alpha is not 0), the picture with
// the tint, the glow picture. The hit test takes the picture's
// non-transparent pixels only.
#include "engine/ui/ImageWidget.h"

#include <memory>

class Action;

class ZodiacSign : public ImageWidget {
public:
    static constexpr int GlowOutMs = 500;

    // At its start place. Textures not owned; `glow` and `constellation`
    // may be null. `glowFadeMs` and `returnMs` are the times in force when
    // the game builds the sign.
    ZodiacSign(GLTexture* texture, Point start, GLTexture* glow, GLTexture* constellation, Point constellationAt,
               int glowFadeMs, int returnMs);
    ~ZodiacSign() override;

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    bool hitTest(int x, int y) override;

    // Glides from where it is to its start place.
    void returnHome();
    // Stops a glide home (the sign was picked up again).
    void stopReturn();
    bool isReturning() const;
    // Glow alpha 0, then up to 255.
    void startGlow();
    // Stops the fade-in; glow alpha 255, then down to 0.
    void fadeGlowOut();

    int getGlowAlpha() const { return glowAlpha; }
    Point getStart() const { return start; }

private:
    Point start;
    GLTexture* glow;           // not owned; may be null
    GLTexture* constellation;  // not owned; may be null
    Point constellationAt;
    int returnMs;
    int glowAlpha = 0;
    // Glide targets, copied into the geometry while gliding.
    int homeX = 0;
    int homeY = 0;
    std::unique_ptr<Action> glide;
    std::unique_ptr<Action> glowIn;
    std::unique_ptr<Action> glowOut;
};
