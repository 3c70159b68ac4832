#pragma once
// The cypher wheel: a dial (id 0) that starts inactive at a random angle in
// steps of 0.36 degrees. startSpin() turns it clockwise, from 540 degrees a
// second slowing evenly to rest over 2000 ms (540 degrees in all, with no
// wrap into [0, 360): the next drag steps bring the angle back one turn
// each); only when the spin is over does the wheel take the pointer.
//
// A decoded piece flashes on the wheel: its highlight (drawn turning with
// the wheel) and its symbol (drawn upright, at a place relative to the
// wheel's corner) rise to full alpha in 500 ms, hold 1000 ms and fade in
// 500 ms. The wheel is drawn white, never greyed. Textures are not owned;
// both sequences are.
#include "engine/anim/ActionListener.h"
#include "minigames/DialWidget.h"

#include <memory>

class Action;

class CypherWheelWidget : public DialWidget, public ActionListener {
public:
    static constexpr int WheelId = 0;
    static constexpr float SpinSpeed = 540.f;
    static constexpr int SpinMs = 2000;
    static constexpr int GlowRiseMs = 500;
    static constexpr int GlowHoldMs = 1000;

    CypherWheelWidget(SimpleButtonListener* listener, GLTexture* texture, float tolerance, float factor);
    ~CypherWheelWidget() override;

    // Starts the spin (again from full speed when it runs).
    void startSpin();
    bool isSpinning() const;
    // Flashes the highlight and the symbol (at `symbolAt`, relative to the
    // wheel's corner).
    void showPiece(GLTexture* overlay, GLTexture* symbol, Point symbolAt);
    // No highlight, no symbol, the flash stopped.
    void clearPiece();

    // The flash and the spin; while spinning the angle grows by the speed.
    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    // The spin is over: the wheel takes the pointer.
    void onActionFinished(int32_t id) override;

    int getGlowAlpha() const { return glowAlpha; }
    float getSpinSpeed() const { return spinSpeed; }
    GLTexture* getOverlay() const { return wheelOverlay; }
    GLTexture* getSymbol() const { return symbolTexture; }

private:
    GLTexture* wheelOverlay = nullptr;   // not owned
    GLTexture* symbolTexture = nullptr;  // not owned
    Point symbolAt;
    int glowAlpha = 0;
    std::unique_ptr<Action> glowSequence;
    float spinSpeed = 0.f;
    std::unique_ptr<Action> spinSequence;
};
