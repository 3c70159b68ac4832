#pragma once
// The triangle count minigame (quest 41, the second bonus): the player
// counts the triangles in the picture, sets the count (shown under the
// picture) with two knobs, the left one adding one and the right one taking
// one away, and presses the check button. A wrong count flashes the wrong
// mark (presses are ignored for those 2000 ms); the right one shows the
// right mark, locks the knobs, fades the glow in over 1500 ms and solves the
// game. The count and the locks are TriangleCounter.
//
// Tuning keys, global to the game, under "MgTriangleCount.": LeftKnobX,
// LeftKnobY, RightKnobX, RightKnobY (the knobs' corners), RotationIncrement
// (degrees a turn), RotationDuration (ms a turn), CheckX, CheckY (the check
// button's corner) and SolutionNumber (the answer; 99 when absent, and 99
// with one error line when outside 0 ... 99, which the knobs cannot reach).
// Pictures: the registered "MG_TRIANGLES_*" textures. Sounds: the knobs',
// "MG_CORRECT" and "MG_NOTCORRECT".
#include "minigames/KnobListener.h"
#include "minigames/MiniGameBase.h"
#include "minigames/TriangleCounter.h"

#include <string>

class CheckButton;
class KnobWidget;

class MgTriangleCount : public MiniGameBase, public KnobListener {
public:
    explicit MgTriangleCount(int questId);
    ~MgTriangleCount() override;

    // The frame's buttons; then the check button's press (id 0, state 0).
    void onButton(int id, int state) override;
    // 0: the glow is full: the frame's finish. 1122: the finished message.
    void onActionFinished(int32_t id) override;
    // A knob's turn ended: the count moves, the knobs' locks follow.
    void onKnobTurned(int knobId) override;

    // The counter's description and the check button's mark.
    std::string puzzleState() const override;

    const TriangleCounter& getCounter() const { return counter; }
    KnobWidget* getLeftKnob() const { return leftKnob; }
    KnobWidget* getRightKnob() const { return rightKnob; }
    CheckButton* getCheckButton() const { return checkButton; }
    int getGlowAlpha() const { return glowAlpha; }

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    // The glow (1500 ms), then the frame's finish.
    void onSolved() override;

private:
    // SolutionNumber, checked against the counts the knobs reach.
    static int readSolution();
    int setting(const std::string& name, int def) const;
    void updateLocks();

    TriangleCounter counter;
    KnobWidget* leftKnob = nullptr;      // owned by the screen
    KnobWidget* rightKnob = nullptr;     // owned by the screen
    CheckButton* checkButton = nullptr;  // owned by the screen
    GLTexture* digits[10] = {};          // the screen's manager
    int glowAlpha = 0;
};
