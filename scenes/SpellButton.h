#pragma once
// The button of one spell in the scene's heads-up display. It charges with
// the runes found (three charge marks), and when full it is ready: drawn in
// full colour, blinking (a sprite sheet above it) and, when it became ready
// by a find, playing its ready sound once. The pointer over it brings up a
// highlight (300 ms) and, after 1500 ms, a tooltip; presses and releases
// over it reach the listener.
//
// The hit test takes the body picture's transparent pixels as outside.
// Textures and the font are not owned; the blink animation and the actions
// are.
#include "engine/anim/ActionListener.h"
#include "engine/core/Types.h"
#include "engine/ui/Widget.h"

#include <cstdint>
#include <memory>
#include <string>

class Action;
class Animation;
class Font;
class GLTexture;
class SpellButtonListener;

class SpellButton : public Widget, public ActionListener {
public:
    enum Event { Pressed = 0, Released = 1, Entered = 2, Left = 3 };
    static constexpr int FullCharge = 3;
    static constexpr int HighlightMs = 300;
    static constexpr int TooltipDelayMs = 1500;
    static constexpr int BlinkFrameMs = 62;

    // Sized to the body picture (0 x 0 without one).
    SpellButton(int id, SpellButtonListener* listener, GLTexture* body, GLTexture* highlight);
    ~SpellButton() override;

    // The three charge marks, the blink sheet (frames 64 x 128, 2 columns,
    // 16 rows, 16 frames), the tooltip and the ready sound.
    void setDecorations(GLTexture* const marks[3], GLTexture* blinkSheet);
    void setTooltip(Font* font, const std::string& text) { tooltipFont = font, tooltipText = text; }
    void setReadySound(const std::string& name) { readySound = name; }

    // One more charge (at most three); the third makes the button ready
    // with its sound.
    void addCharge();
    void becomeReady(bool playSound);
    // Not ready, no charge, no highlight, not blinking.
    void reset();
    void setCharge(int value) { charge = value; }

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    bool hitTest(int x, int y) override;
    void onMouseEnter() override;
    void onMouseLeave() override;
    void onMousePress(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;
    // The tooltip delay ended (id 1).
    void onActionFinished(int32_t id) override;

    int getId() const { return id; }
    int getCharge() const { return charge; }
    bool isReady() const { return ready; }
    bool isBlinking() const { return blinking; }
    bool isTooltipShown() const { return tooltipShown; }
    int getHighlightAlpha() const { return highlightAlpha; }

private:
    void fadeHighlightTo(int target);
    void stopTooltip();

    bool hovered = false;
    bool pressed = false;
    bool blinking = false;
    bool ready = false;
    int id;
    int charge = 0;
    int32_t highlightAlpha = 0;
    GLTexture* body;       // not owned
    GLTexture* highlight;  // not owned
    GLTexture* marks[3] = {nullptr, nullptr, nullptr};
    Color bodyTint{128, 128, 128, 255};
    std::unique_ptr<Animation> blink;
    SpellButtonListener* listener;  // not owned
    bool tooltipShown = false;
    Font* tooltipFont = nullptr;  // not owned
    std::string tooltipText;
    std::string readySound;
    std::unique_ptr<Action> tooltipTimer;
    std::unique_ptr<Action> highlightFade;
};
