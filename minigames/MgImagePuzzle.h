#pragma once
// The image puzzle minigame (quest 4): the picture is cut into a grid of
// pieces that lie scattered over a faint template of it. One click picks a
// piece up (it follows the pointer without a held button), a second click
// puts it down; put down less than 20 pixels from its home it snaps there,
// greys a little and no longer moves. Loose pieces always lie above snapped
// ones. When the last piece snaps the template flashes over the board
// (1200 ms) and the game is solved. The grid, the carrying and the snapping
// are ImagePuzzleBoard.
//
// Tuning keys, global to the game, under "MgImagePuzzle.": HorizontalCount,
// VerticalCount, OriginX, OriginY (the top-left piece's home),
// HorizontalDistance, VerticalDistance. Pictures: the registered
// "MG_IMAGEPUZZLE_BG" and "MG_IMAGEPUZZLE_TEMPLATE"; the pieces
// "content/images/minigames/02_imgpuzz/<row>x<column>" with
// "Game.Images.Extension", registered under their paths. Sounds "MG_PRESS"
// (picked up) and "MG_RELEASE" (put down).
#include "minigames/ImagePuzzleBoard.h"
#include "minigames/MiniGameBase.h"

#include <string>
#include <vector>

class DraggableImageWidget;

class MgImagePuzzle : public MiniGameBase {
public:
    // The tint of a snapped piece.
    static const Color Snapped;
    // The most pieces across or down; HorizontalCount or VerticalCount
    // outside 0 ... MaxSide gives one error line and no piece.
    static constexpr int MaxSide = 16;

    explicit MgImagePuzzle(int questId);
    ~MgImagePuzzle() override;

    // Presses go on; a release only while nothing is carried; motion goes on
    // with the left button held while carrying (so the carried piece
    // follows); the wheel does nothing.
    void onMouse(MouseEvent event) override;
    // The frame's buttons; a piece pressed (state 0) is picked up or put
    // down; a piece released after its drag (state 4) is tested for its
    // home.
    void onButton(int id, int state) override;
    // 668: the flash is over: solved. 1122: the finished message.
    void onActionFinished(int32_t id) override;

    // The board's description and whether every loose piece lies above
    // every snapped one ("zorder=ok", else "zorder=bad").
    std::string puzzleState() const override;

    const ImagePuzzleBoard& getBoard() const { return board; }
    // Piece `index` in row-major order, or null.
    DraggableImageWidget* piece(int index) const;
    int getFlashAlpha() const { return flashAlpha; }
    bool looseAboveSnapped() const;

protected:
    void loadResources() override;
    void build() override;
    // Raises the loose pieces after a drop.
    void onUpdate(int dt) override;
    void drawBackground(Graphics& g) override;
    void drawOverlay(Graphics& g) override;
    // Every piece made again, scattered and loose.
    void resetPuzzle() override;

private:
    // A new board from the tuning keys and its pieces, scattered.
    void createPieces();
    void raiseLoosePieces();

    std::string imageExtension;
    ImagePuzzleBoard board;
    std::vector<DraggableImageWidget*> pieces;  // owned by the screen
    int flashAlpha = 0;
    bool reorderPending = false;
};
