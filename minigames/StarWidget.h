#pragma once
// A numbered star of the face-drawing puzzle. It reports presses and
// releases on its non-transparent pixels to its listener as (index, 0) and
// (index, 1). It can pulse (fade out and in every 2000 ms until stopped:
// the star to start from) and pop (shrink to half, grow to one and a half
// and settle, 300 ms each step: a star just joined). Its number (index + 1)
// stands at (20, 15) from its corner in the stars' font, not scaled.
//
// The pulse runs on the game clock; the pop on the frame time the widget is
// updated with.
#include "engine/ui/ClickableImageWidget.h"

#include <memory>
#include <string>

class Action;
class Font;

class StarWidget : public ClickableImageWidget {
public:
    static constexpr int PulseHalfMs = 1000;
    static constexpr int PopStepMs = 300;
    static constexpr int LabelX = 20;
    static constexpr int LabelY = 15;

    // At (x, y) with the normal look. Textures, listener and font are not
    // owned; the font may be null (no number).
    StarWidget(int index, GLTexture* normal, GLTexture* wrong, Font* font, int x, int y,
               SimpleButtonListener* listener);
    ~StarWidget() override;

    void update(int dt, ScreenBase* screen) override;
    // Scaled about the picture's centre, with the tint's alpha; then the
    // number.
    void draw(Graphics& g, ScreenBase* screen) override;

    void startPulse();
    // Stops the pulse at full alpha.
    void stopPulse();
    void startPop();
    // The red look (out of turn) or the normal one.
    void showWrong(bool on);

    int getIndex() const { return index; }
    bool isWrongShown() const { return texture == wrong; }
    bool isPulsing() const;
    bool isPopping() const;
    float getScale() const { return scale; }

private:
    int index;
    std::string label;
    GLTexture* normal;  // not owned
    GLTexture* wrong;   // not owned
    Font* font;         // not owned; may be null
    int alpha = 255;
    float scale = 1.f;
    std::unique_ptr<Action> pulse;
    std::unique_ptr<Action> pop;
};
