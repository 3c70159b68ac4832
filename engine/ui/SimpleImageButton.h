#pragma once
// A picture button: while enabled it draws its normal image with its hover
// image over it, the hover image's alpha (the glow) rising by 10 per update
// while the pointer is on it and falling by 10 per update after it left. It
// can carry an overlay picture and, built with a font, a caption. While
// disabled it draws its current image greyed and, when the pointer is over
// it, its tooltip text in red below itself.
//
// Input and events are SimpleTextButton's: 2 entered, 0 pressed, 1 released
// (a click), 3 left, with the same sounds.
//
// Without glow mode entering and leaving swap the current image instead; the
// current image is only drawn while the button is disabled.
//
// A normal image that failed to load (pictureFailed) gives the button the
// missing-picture size and a stand-in box under its caption.
#include "engine/ui/SimpleTextButton.h"
#include <cstdint>
#include <string>

class GLTexture;

class SimpleImageButton : public SimpleTextButton {
public:
    enum GlowState : int32_t { GlowStill = 0, GlowRising = 1, GlowFalling = 2 };

    // Images only (no caption, no font). Geometry {0, 0, 0, normal image
    // size}; the owner places it and sets the listener. Images are not owned
    // and may be null (nothing is drawn for them).
    SimpleImageButton(GLTexture* normal, GLTexture* hover, GLTexture* overlay, int id);
    // With a caption in `font`; the three background colours become
    // transparent (0, 0, 0, 0).
    SimpleImageButton(GLTexture* normal, GLTexture* hover, GLTexture* overlay, int id, Font* font,
                      const std::string& caption);
    // Images only, with the listener and the geometry {x, y, 0, w, h}.
    SimpleImageButton(SimpleButtonListener* listener, int x, int y, int w, int h, GLTexture* normal,
                      GLTexture* hover, GLTexture* overlay, int id);

    // Moves the glow one step (by frames, not milliseconds).
    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    void onMouseEnter() override;
    void onMouseLeave() override;

    void setGlowMode(bool on) { glowMode = on; }
    void setTooltip(const std::string& text) { tooltipText = text; }
    void setOverlayOffset(int x, int y)
    {
        overlayX = x;
        overlayY = y;
    }
    // Alpha of the current image while disabled and of the overlay.
    void setImageAlpha(int alpha) { imageAlpha = alpha; }

    int getGlowAlpha() const { return glowAlpha; }
    int getGlowState() const { return glowState; }
    GLTexture* getCurrentImage() const { return currentImage; }

private:
    void sizeToNormalImage();

    int32_t imageAlpha = 255;
    int32_t glowAlpha = 0;
    int32_t overlayX = 0;
    int32_t overlayY = 0;
    int32_t glowState = GlowStill;
    bool glowMode = true;
    std::string tooltipText;
    GLTexture* currentImage;  // not owned
    GLTexture* normalImage;   // not owned
    GLTexture* hoverImage;    // not owned
    GLTexture* overlayImage;  // not owned
};
