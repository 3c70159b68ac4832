#pragma once
// The sliding-block minigame (quest 32): blocks (CustomKlotskyTile) lie on
// a board of cells (KlotskyGrid), some of them walls. The player presses on
// a block and holds the button: while the pointer stays more than 10 pixels
// beyond one of the block's edges, the block slides one cell that way per
// 300 ms into free cells (left or right before up or down). Every release
// tests the solution: each block named by a condition glows while it
// stands on its cell, and when all conditions hold the final glow rises over
// 1500 ms and the frame's finish follows (700 ms, then the finished
// message). A solution without conditions holds at the first release.
//
// Global tuning keys "MgKlotsky." + BoardOriginX, BoardOriginY (the corner
// of cell 0, 0), TileWidth, TileHeight, TileDistance (pixels; the cell
// pitch is size + distance) and GameXmlFile (in "content/config/minigames/
// Klotsky/", see KlotskyFile). Block pictures
// "content/images/minigames/Klotsky/" + name + "Game.Images.Extension"; the
// registered "MG_KLOTSKY_BG" and "MG_KLOTSKY_FINAL_GLOW". Sounds
// "MG_KLOTSKY_SELECT" and "MG_KLOTSKY_MOVING". Without a usable file the
// board is empty and the game can only be skipped.
#include "minigames/KlotskyFile.h"
#include "minigames/KlotskyGrid.h"
#include "minigames/MiniGameBase.h"

#include <vector>

class CustomKlotskyTile;

class MgKlotsky : public MiniGameBase {
public:
    // The pointer must be this far beyond a block's edge to drag it.
    static constexpr int DragMargin = 10;

    explicit MgKlotsky(int questId);
    ~MgKlotsky() override;

    // 0: the final glow is up: the frame's finish. 1122: the finished
    // message.
    void onActionFinished(int32_t id) override;
    // Picks the first block (in file order) under the pointer.
    void onMousePressed(MouseEvent* event) override;
    // Drops the block; tests the solution until it has held once.
    void onMouseReleased(MouseEvent* event) override;

    // Which way a block on `rect` is dragged by a pointer at `mouse`: a
    // step of one cell as (column change, row change), or (0, 0).
    static Point dragStep(Point mouse, const WidgetGeometry& rect, int margin = DragMargin);
    // One entry per condition, in order: 1 when its block stands on its
    // cell, 0 when it does not, -1 when it names no block (ignored).
    // `places` holds each block's (column, row) by tile id.
    static std::vector<int> conditionResults(const std::vector<KlotskyCondition>& conditions,
                                             const std::vector<Point>& places);

    // The screen corner of a cell.
    Point cellCorner(int row, int column) const;
    const KlotskyGrid& getGrid() const { return grid; }
    const std::vector<CustomKlotskyTile*>& getTiles() const { return tiles; }
    const std::vector<KlotskyCondition>& getConditions() const { return conditions; }
    CustomKlotskyTile* getSelected() const { return selected; }
    bool isSolvedOnce() const { return solved; }
    int getFinalGlowAlpha() const { return finalGlowAlpha; }
    // Each block's cell, the grid, the block held and whether it is solved.
    std::string puzzleState() const override;

protected:
    void loadResources() override;
    void build() override;
    // Drags the held block.
    void onUpdate(int dt) override;
    void drawBackground(Graphics& g) override;
    // The final glow rises.
    void onSolved() override;

private:
    // Moves the block one cell when it may and no slide runs.
    void tryMove(CustomKlotskyTile* tile, int row, int column);
    void testSolution();

    std::string imageExtension;
    KlotskyGrid grid;
    std::vector<CustomKlotskyTile*> tiles;  // owned by the screen
    CustomKlotskyTile* selected = nullptr;
    std::vector<KlotskyCondition> conditions;
    int tileWidth = 0;
    int tileHeight = 0;
    int tileDistance = 0;
    int boardOriginX = 0;
    int boardOriginY = 0;
    int finalGlowAlpha = 0;
    bool solved = false;
};
