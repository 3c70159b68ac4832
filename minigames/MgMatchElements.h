#pragma once
// The necklace puzzle, the second half of quest 7 (MgWhackAMole opens it
// with its own quest id once every piece is collected; the minigame menu
// does not offer it). The necklace pieces lie scattered over the screen and
// the player drags each one onto its place on the chain; a piece dropped
// close enough to its home snaps there with a short glow. When every piece
// is placed all glows rise to full, and 1500 ms later the frame's finish
// follows (700 ms, then the finished message).
//
// The rules (pick, keep on screen, fit, solved) are MatchElementsBoard.
//
// Tuning keys "MgMatchElements." + NumberOfPieces, Piece<i>X, Piece<i>Y
// (the home of piece i from 0, top-left), ChainX, ChainY,
// PlacementSensitivity. Pictures: the registered "MG_MATCHELEMENTS_BG" and
// "MG_MATCHELEMENTS_CHAIN"; piece i "content/images/minigames/
// MatchElements/" + (i + 1) + "N" and its glow "...G", with
// "Game.Images.Extension". Sounds "MG_PRESS" (picked) and "MG_RELEASE"
// (dropped). The tutorial text is the label "TUTORIAL_QUEST7_1".
//
// Widgets, bottom to top: the frame's buttons, the glows (transparent until
// their piece is placed), the chain, the pieces. None takes the pointer
// itself: the screen's press, move and release do the dragging.
#include "minigames/MatchElementsBoard.h"
#include "minigames/MiniGameBase.h"

#include <string>
#include <vector>

class CustomImageWidget;

class MgMatchElements : public MiniGameBase {
public:
    static constexpr int SolvedGlowMs = 1500;
    // The most pieces; NumberOfPieces outside 0 ... MaxPieces gives one error
    // line and no piece.
    static constexpr int MaxPieces = 64;

    explicit MgMatchElements(int questId);

    // 0: the solved glow has risen; the frame's finish. 1122: the finished
    // message.
    void onActionFinished(int32_t id) override;

    // MouseListener (events that hit no button): pick, drag, drop.
    void onMousePressed(MouseEvent* event) override;
    void onMouseMoved(MouseEvent* event) override;
    void onMouseReleased(MouseEvent* event) override;

    const MatchElementsBoard& getBoard() const { return board; }
    const std::vector<CustomImageWidget*>& getPieces() const { return pieces; }
    const std::vector<CustomImageWidget*>& getGlows() const { return glows; }
    int getSelected() const { return selected; }
    // "placed=" one digit per piece (1 placed), "selected=" the dragged
    // piece or -1, and "solved" once every piece is placed.
    std::string puzzleState() const override;

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    // 1500 ms (action 0) while every glow rises to full.
    void onSolved() override;
    // The frame's tutorial with the necklace's own text.
    void showTutorial() override;

private:
    std::string imageExtension;
    MatchElementsBoard board;
    std::vector<CustomImageWidget*> pieces;  // owned by the screen
    std::vector<CustomImageWidget*> glows;   // owned by the screen
    int selected = -1;
    int grabX = 0;
    int grabY = 0;
};
