#pragma once
// The cypher wheel minigame (quests 29 and 58): when play starts the wheel
// (CypherWheelWidget) spins in; the player turns it to the angle of the
// next piece of the solution and lets go. The wheel snaps and locks, the
// piece's highlight and symbol flash on it, and its word piece fades in
// over 2000 ms at its place on the screen; then the wheel turns again for
// the next piece. After the last piece the glow picture fades in over
// 1500 ms (without one, nothing), and the frame's finish follows (700 ms,
// then the finished message). Decoded words stay on the screen and take the
// pointer where they lie.
//
// Description: the tuning key "MgCypherWheel.Quest<id>.GameXmlFile" names a
// file in "content/config/minigames/CypherWheel/" (CypherWheelFile); its
// pictures are "content/images/minigames/CypherWheel/Quest<id>/" + name +
// "Game.Images.Extension". A file without a wheel ("dialImage") builds only
// the background and the glow, and a solution without pieces cannot be
// decoded: such a game can only be skipped. Sound "MG_CYPHERWHEEL_CORRECT"
// on each piece, besides the wheel's own.
#include "minigames/CypherSolution.h"
#include "minigames/MiniGameBase.h"
#include "minigames/SolutionComponent.h"

#include <string>
#include <vector>

class Action;
class CypherWheelWidget;
class ImageWidget;

class MgCypherWheel : public MiniGameBase {
public:
    // Action ids of the game's own actions.
    static constexpr int WordFadeAction = 0;
    static constexpr int GlowFadeAction = 1;
    static constexpr int WordFadeMs = 2000;
    static constexpr int GlowFadeMs = 1500;

    explicit MgCypherWheel(int questId);
    ~MgCypherWheel() override;

    // The frame's buttons; then a release of the wheel that locked it in
    // place reveals the current piece.
    void onButton(int id, int state) override;
    // 0: the word has faded in: the next piece, or solved. 1: the glow is
    // up: the frame's finish. 1122: the finished message.
    void onActionFinished(int32_t id) override;

    // Null without a wheel.
    CypherWheelWidget* getWheel() const { return wheel; }
    const std::vector<SolutionComponent>& getComponents() const { return components; }
    const CypherSolution& getSolution() const { return solution; }
    ImageWidget* getWordImage() const { return wordImage; }
    ImageWidget* getGlowImage() const { return glowImage; }
    int getWordAlpha() const { return wordAlpha; }
    int getGlowAlpha() const { return glowAlpha; }
    // The wheel's angle and (while a piece is left) its target, whether it
    // spins, takes the pointer or is locked, and the pieces decoded.
    std::string puzzleState() const override;

protected:
    void build() override;
    void onUpdate(int dt) override;
    // The glow rises (or, without one, the frame's finish at once).
    void onSolved() override;
    // The wheel spins in.
    void onPlayStart() override;

    // Flashes the current piece on the wheel and fades its word in.
    void reveal();
    // The widget the current piece's word fades in on: here a new one,
    // added to the screen at the word's place.
    virtual ImageWidget* wordImageFor(const SolutionComponent& piece);
    virtual std::string revealSound() const;
    GLTexture* loadImage(const std::string& name);
    // White with the alpha held to 0..255 (the tint of a fading picture).
    static Color whiteWithAlpha(int alpha);

    std::string questFolder;
    std::string imageExtension;
    CypherWheelWidget* wheel = nullptr;  // owned by the screen
    std::vector<SolutionComponent> components;
    CypherSolution solution;

private:
    ImageWidget* wordImage = nullptr;  // owned by the screen
    int wordAlpha = 0;
    Action* wordFade = nullptr;        // owned by the frame's action list
    ImageWidget* glowImage = nullptr;  // owned by the screen
    int glowAlpha = 0;
    Action* glowFade = nullptr;        // owned by the frame's action list
};
