#pragma once
// A picture drawn scaled about its middle, which can also fade a glow
// picture in over itself (startGlow: 0 to 255 in 1000 ms). Textures are not
// owned; the glow action is.
#include "engine/ui/ImageWidget.h"

#include <memory>

class Action;

class ScaleImage : public ImageWidget {
public:
    static constexpr int GlowMs = 1000;

    // As ImageWidget; scale 1, no glow.
    ScaleImage(GLTexture* texture, int x, int y, bool zeroSize = false);
    ~ScaleImage() override;

    // The glow picture fades in over the picture.
    void startGlow(GLTexture* glow);

    // Advances the glow.
    void update(int dt, ScreenBase* screen) override;
    // The picture with the tint, then the glow, both scaled about the
    // picture's middle.
    void draw(Graphics& g, ScreenBase* screen) override;

    float scale = 1.f;
    int getGlowAlpha() const { return glowAlpha; }
    GLTexture* getGlow() const { return glowTexture; }

private:
    GLTexture* glowTexture = nullptr;  // not owned
    int glowAlpha = 0;
    std::unique_ptr<Action> glowAction;
};
