#pragma once
// A necklace piece or its glow in the match-elements puzzle: a picture with
// a home position, a placed flag and an overlay picture whose alpha two
// effects drive:
//  - the pulse: the overlay flashes up over 500 ms and fades over 500 ms
//    (a piece just placed);
//  - the fade: the overlay rises to full over 1000 ms and stays (the solved
//    necklace).
// Both run on the frame time the widget is updated with. The hit test
// takes only the picture's non-transparent pixels.
#include "engine/ui/ImageWidget.h"

#include <memory>

class Action;

class CustomImageWidget : public ImageWidget {
public:
    static constexpr int PulseHalfMs = 500;
    static constexpr int FadeMs = 1000;

    // The textures are not owned; `overlay` may be null (nothing drawn over).
    CustomImageWidget(GLTexture* texture, int x, int y, int homeX, int homeY, GLTexture* overlay);
    ~CustomImageWidget() override;

    void update(int dt, ScreenBase* screen) override;
    // The picture with the tint, then the overlay in white at the overlay
    // alpha.
    void draw(Graphics& g, ScreenBase* screen) override;
    // Inside the picture, on a pixel with a non-zero alpha.
    bool hitTest(int x, int y) override;

    // Overlay alpha 0, then the pulse (again from the start when running).
    void startPulse();
    // Stops the pulse; overlay alpha 0, then the fade.
    void startFade();

    int getHomeX() const { return homeX; }
    int getHomeY() const { return homeY; }
    bool isPlaced() const { return placed; }
    void setPlaced(bool on) { placed = on; }
    int getOverlayAlpha() const { return overlayAlpha; }
    bool isPulsing() const;

private:
    int homeX;
    int homeY;
    bool placed = false;
    int overlayAlpha = 0;
    GLTexture* overlay;  // not owned; may be null
    std::unique_ptr<Action> pulse;
    std::unique_ptr<Action> fade;
};
