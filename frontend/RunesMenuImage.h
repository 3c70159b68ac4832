#pragma once
// A rune or spell picture on the rune sheet: drawn only when known, with a
// tooltip above it (framed pale box from its horizontal middle) that fades
// in over 300 ms while the pointer is on it and out when it leaves (a fade
// that starts half-way still takes 300 ms). Only opaque pixels of the
// picture count as being on it. Entering plays "RUNE_OVER".
#include "engine/anim/ActionListener.h"
#include "engine/ui/Widget.h"

#include <memory>
#include <string>

class Action;
class Font;
class GLTexture;

class RunesMenuImage : public Widget, public ActionListener {
public:
    static constexpr int FadeMs = 300;

    // Placed at (x, y) with the picture's size (0 x 0 without one).
    RunesMenuImage(GLTexture* texture, int x, int y, bool known);
    ~RunesMenuImage() override;

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    void onMouseLeave() override;
    void onMouseEnter() override;
    bool hitTest(int x, int y) override;
    void onActionFinished(int32_t id) override;

    void setTooltip(const std::string& text, Font* font);
    bool isKnown() const { return known; }
    int getTooltipAlpha() const { return tooltipAlpha; }

private:
    void fadeTo(int target, int id);

    int tooltipAlpha = 0;
    bool known;
    GLTexture* texture;  // not owned
    std::string tooltip;
    Font* tooltipFont = nullptr;  // not owned
    std::unique_ptr<Action> fade;
};
