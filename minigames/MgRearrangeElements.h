#pragma once
// The common base of the tile-swap minigames (MgCipherTiles, and the tile
// sum game): tiles (TileWidget) on a board of fixed slots read from the
// tuning file, shuffled so the board never starts solved; the player clicks
// one tile (it becomes selected) and then another, and the game's
// TileSwapEffect animates their exchange. The board itself (which tile is
// where, the selection, the busy flag) is a TileBoard.
//
// A derived game supplies the tiles (buildElements), the effect (swapEffect,
// owned), the look of a selection (selectTile / deselectTile) and the solved
// test (isSolved). Alone this class builds no tile and is never solved: it
// shows the placeholder background and can only be skipped. It is in the
// game flow as "MgRearrangeElements" for that reason.
//
// Tuning keys, each under "MgRearangeElements.Quest<id>." (spelled so):
//   HasBackground (bool)  show ".../RearangeElements/Quest<id>/bg" + ext
//   NumberOfElements (int) the number of slots, 0 to MaxElements; a number
//                          outside that gives one error line and no slot
//   Slot<i>PosX, Slot<i>PosY (int)  the top-left corner of slot i
// and the global "Game.Images.Extension" (e.g. ".jpg"). A missing key gives
// false, 0 and 0 with a warning line.
#include "engine/core/Types.h"
#include "minigames/MiniGameBase.h"
#include "minigames/TileBoard.h"
#include "minigames/TileSwapListener.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class GLTexture;
class TileSwapEffect;
class TileWidget;

class MgRearrangeElements : public MiniGameBase, public TileSwapListener {
public:
    // The most slots a board may have (the screen holds far fewer tiles).
    static constexpr int MaxElements = 64;

    explicit MgRearrangeElements(int questId);
    ~MgRearrangeElements() override;

    // The frame's ids first (1000-1002); then a press (state 0) on a tile
    // selects, deselects or starts a swap, unless a swap runs.
    void onButton(int id, int state) override;

    // TileSwapListener: busy from started to finished; the commit exchanges
    // the two tiles on the board and snaps both onto their new slots; the
    // end runs onSolved when the board is solved.
    void onSwapStarted(int idA, int idB) override;
    void onSwapCommit(int idA, int idB) override;
    void onSwapFinished(int idA, int idB) override;

    // The tile ids slot by slot, the selection and the busy flag.
    std::string puzzleState() const override;

    const TileBoard& getBoard() const { return board; }
    const std::vector<Point>& getSlotPositions() const { return slotPositions; }
    // The tile with the id, or null.
    TileWidget* tile(int id) const;
    const std::string& getKeyPrefix() const { return keyPrefix; }

protected:
    void build() override;
    void onUpdate(int dt) override;
    // "MG_BASE_BG_PH" with the words "MiniGame placeholder..." over it.
    void drawBackground(Graphics& g) override;

    // The derived game makes its tiles here (addTile each). Nothing here.
    virtual void buildElements();
    // Never solved here.
    virtual bool isSolved() const;
    virtual void deselectTile(int slot);
    virtual void selectTile(int slot);
    // Lights tile `id` while the pointer is over it (an Entered or Left
    // event), except during a swap and for the selected tile.
    void hoverTile(int id, int state);

    // build()'s steps, for derived games that put widgets between them:
    // the frame's buttons and the optional background; then the slots, the
    // tiles and the shuffle.
    void buildFrameAndBackground();
    void buildBoard();
    // Reads the slot corners from the tuning file.
    void readSlots();
    // Adds the tile to the screen (owned there) and to the next slot, and
    // places it there.
    void addTile(TileWidget* tile);
    // Moves the tile's corner onto the slot's point.
    void placeTile(TileWidget* tile, int slot);
    void placeAllTiles();
    // Shuffles (repeating while solved) and places every tile.
    void shuffleTiles();
    // Runs the effect on the tiles of the two slots, with this as listener.
    void startSwap(int slotA, int slotB);
    // A texture from "content/images/minigames/RearangeElements/Quest<id>/"
    // + name + imageExtension, added to the screen's manager (owned there).
    GLTexture* loadQuestImage(const std::string& name);
    // The per-quest key: keyPrefix + setting.
    std::string key(const std::string& setting) const { return keyPrefix + setting; }

    std::string imageExtension;
    std::string keyPrefix;
    std::vector<Point> slotPositions;
    TileBoard board;
    std::unique_ptr<TileSwapEffect> swapEffect;

private:
    // Tile id -> widget (owned by the screen).
    std::map<int, TileWidget*> tiles;
};
