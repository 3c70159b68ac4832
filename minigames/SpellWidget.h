#pragma once
// One spell picture of the casting-spells game, sized to its frame picture.
// It blinks while it is the spell to cast (its lit picture blinks three
// times over 3000 ms and stays lit), and shows the verdict on a stroke with
// its mark: fading in white and staying for a good one, flashing red for a
// bad one. Textures are not owned; the three animations are.
#include "engine/ui/ImageWidget.h"

#include <memory>

class Action;

class SpellWidget : public ImageWidget {
public:
    static constexpr int BlinkStepMs = 500;

    // The frame picture at (0, 0) (move it with setPosition), the lit
    // picture and the mark with its corner relative to the widget.
    SpellWidget(GLTexture* frame, GLTexture* frameGlow, GLTexture* mark, Point markPosition);
    ~SpellWidget() override;

    // This is the spell to cast now.
    void startBlink();
    // The verdict: the mark fades in (good, "MG_CORRECT") or flashes red
    // (bad, "MG_NOTCORRECT"); the picture stops blinking and stays lit.
    void feedback(bool correct);

    void update(int dt, ScreenBase* screen) override;
    // The frame picture only while unlit and not blinking; the lit picture
    // at its alpha; the mark at its alpha (red after a bad stroke).
    void draw(Graphics& g, ScreenBase* screen) override;

    int getGlowAlpha() const { return glowAlpha; }
    int getMarkAlpha() const { return markAlpha; }
    bool isCorrect() const { return correct; }
    bool isBlinking() const;

private:
    GLTexture* frameGlow;  // not owned
    GLTexture* mark;       // not owned
    Point markPosition;
    int glowAlpha = 0;
    int markAlpha = 0;
    bool correct = false;
    std::unique_ptr<Action> blink;
    std::unique_ptr<Action> markIn;
    std::unique_ptr<Action> markFlash;
};
