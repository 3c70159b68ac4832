#pragma once
// The first half of quest 7: squirrels come out of their holes one at a
// time, some holding a piece of a necklace; clicking a squirrel that holds
// one flies the piece into its slot in the necklace column at the left
// edge. When every piece is collected the screen closes at once (code 100,
// no finished message) and opens MgMatchElements with the same quest id,
// where the pieces are put together; the quest is recorded at the end of
// that puzzle. Skipping (the skip button or Escape, once it is ready)
// closes at once with 1000, without the question, and records the quest.
//
// The rules (timer, choice of squirrel and piece, piece states) are
// WhackAMoleRules; a squirrel's appearance is SquirrelMotion. The timer and
// the squirrels take time only while the player is at play (no frame
// message open).
//
// Tuning keys "MgWhackAMole." + SquirrelMinIntervalDuration,
// SquirrelMaxIntervalDuration (ms), NeklaceShowChance (read, consulted by
// nothing: every appearance carries a piece while one is free),
// NumberOfPieces, NumberOfHoles, SquirrelMoveDuration, SquirrelDelayDuration
// (ms) and per hole k from 0: Hole<k>X/Y, Squirrel<k>Size ("big" or
// small), Squirrel<k>Left (false: drawn mirrored), Squirrel<k>X/Y (resting
// corner), Squirrel<k>EndX (corner x when fully out). Pictures: the
// registered "MG_WHACKAMOLE_*", "content/images/minigames/WhackAMole/Piece"
// + i (from 1) and "Hole" + (k + 1), with "Game.Images.Extension". Sounds
// "MG_WHACKAMOLE_SHOW", "MG_WHACKAMOLE_HIT", "MG_WHACKAMOLE_NOTHIT".
//
// Widgets, bottom to top: the frame's buttons, the dark silhouettes of the
// column (in shuffled slot order), the pieces, then per hole its squirrel
// and the hole picture over it (which takes the clicks on its own pixels).
#include "minigames/MiniGameBase.h"
#include "minigames/WhackAMoleRules.h"

#include <string>
#include <vector>

class NeklacePiece;
class SquirrelWidget;

class MgWhackAMole : public MiniGameBase {
public:
    static constexpr int FirstSquirrelId = 50;
    static constexpr int FirstPieceId = 100;
    static constexpr int HoleId = 100000;
    // The most necklace pieces and holes; NumberOfPieces or NumberOfHoles
    // outside 0 ... the bound gives one error line and none.
    static constexpr int MaxPieces = 64;
    static constexpr int MaxHoles = 32;

    explicit MgWhackAMole(int questId);

    // Skip (1000, released) closes at once; then the frame's buttons; then
    // a press on a squirrel (0), a squirrel back (SquirrelWidget::BackState)
    // and a piece arrived (NeklacePiece::ArrivedState).
    void onButton(int id, int state) override;

    const WhackAMoleRules& getRules() const { return rules; }
    const std::vector<SquirrelWidget*>& getSquirrels() const { return squirrels; }
    const std::vector<NeklacePiece*>& getPieces() const { return pieces; }
    const std::vector<Point>& getSlots() const { return slots; }
    int getShowChance() const { return showChance; }
    // "pieces=" one state digit per slot (0 free, 1 collected, 2 carried),
    // "out=" the squirrel out (or -1) and "holding=" the piece it holds,
    // "timer=" armed or off, "squirrels=" each squirrel's x and alpha.
    std::string puzzleState() const override;

protected:
    void loadResources() override;
    void build() override;
    // The frame's, then the timer while the player is at play.
    void onUpdate(int dt) override;
    void drawBackground(Graphics& g) override;
    // 100 goes to MgMatchElements; 1000 is the frame's ending.
    void onClosed(int resultCode) override;
    // Closes at once with 100.
    void onSolved() override;
    void onPlayPause() override;
    void onPlayResume() override;

private:
    // The timer ran out: a squirrel comes out.
    void showNextSquirrel();
    void squirrelPressed(int k);
    void setSquirrelsRunning(bool on);

    std::string imageExtension;
    int showChance;
    WhackAMoleRules rules;
    std::vector<Point> slots;
    std::vector<NeklacePiece*> pieces;       // by slot; owned by the screen
    std::vector<SquirrelWidget*> squirrels;  // by hole; owned by the screen
};
