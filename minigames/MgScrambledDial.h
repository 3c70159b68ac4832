#pragma once
// The scrambled dials minigame (quests 11, 20, 25, 55): concentric rings
// (DialWidget) lie on top of each other at one corner, each turned to a
// random angle; the player turns each back to 0, where it snaps and locks.
// When every ring is locked the puzzle is solved: at once, or, with a final
// picture, after that picture has faded in over 1000 ms.
//
// The win is tested after every click (state 1) the screen hears, the
// frame's buttons and Escape included, and is taken once: a later click
// starts no second fade and no second solved sequence.
//
// Tuning keys "MgScrambledDial.Quest<id>." + HasFinal (bool, false),
// HasBackground (bool), NumberOfDials (int), AngleTolerance (float, 1.0),
// RotationFactor (float, 1.0), DialsPosX, DialsPosY (int: every ring's
// corner). Pictures "content/images/minigames/05_scrdial/Quest<id>/" + bg,
// circ<i> (ring i, from 0; each needs its mask so that only the ring itself
// takes the pointer) and final, with "Game.Images.Extension".
#include "minigames/MiniGameBase.h"

#include <vector>

class DialWidget;
class FinalImage;

class MgScrambledDial : public MiniGameBase {
public:
    // Button ids of the rings: FirstDialId + i.
    static constexpr int FirstDialId = 30000;
    // The most rings; NumberOfDials outside 0 ... MaxDials gives one error
    // line and no ring.
    static constexpr int MaxDials = 32;

    explicit MgScrambledDial(int questId);
    ~MgScrambledDial() override;

    // The frame's buttons; then, on a click, the win test.
    void onButton(int id, int state) override;
    // The final picture has faded in: solved.
    void onFinalShown();

    const std::vector<DialWidget*>& getDials() const { return dials; }
    FinalImage* getFinalImage() const { return finalImage; }
    bool isWon() const { return won; }
    // Each ring's angle (whole degrees), which are locked, and the final
    // picture's alpha.
    std::string puzzleState() const override;

protected:
    void build() override;

private:
    GLTexture* loadImage(const std::string& name);
    std::string key(const std::string& setting) const;

    bool hasFinal;
    bool won = false;
    float angleTolerance = 1.f;
    float rotationFactor = 1.f;
    std::string imageExtension;
    // Widgets owned by the screen.
    FinalImage* finalImage = nullptr;
    std::vector<DialWidget*> dials;
};
