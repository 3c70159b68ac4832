#pragma once
// The cipher tiles minigame (quests 17 and 49): symbol tiles on the
// tile-swap board; the player exchanges tiles two at a time until every
// tile shows the symbol that the quest's solution asks for at its place. A
// tile standing at its place is lit and takes no more pointer events. The
// exchange is a SwingSwapEffect. When the board is right the glow image
// fades in (without one, every tile's active look fades in over it), and
// the frame's finished message follows 2200 ms after the last exchange.
//
// The rules (which tile is in place, solved, moving every tile out of place
// at the start) are CipherRules over the frame's TileBoard.
//
// Tuning keys under "MgRearangeElements.Quest<id>." besides the frame's:
//   Solution (string)       one symbol per slot, slot 0 first
//   Element<i>Img (string)  the image name of tile i, one character: its
//                           symbol
//   HasGlow (bool), GlowX, GlowY (int)   the glow image and its corner
//   OverlayX, OverlayY (int)             the overlay's corner
// Images under "content/images/minigames/RearangeElements/Quest<id>/":
// bg, bgGlow, overlay, and per tile <name>, <name>MO, <name>Active, each
// with "Game.Images.Extension". Sounds "MG_CIPHERTILES_SELECT" (a press on
// a tile not in place) and "MG_CIPHERTILES_SWING" (the effect's).
#include "minigames/CipherRules.h"
#include "minigames/MgRearrangeElements.h"

class ImageWidget;

class MgCipherTiles : public MgRearrangeElements {
public:
    explicit MgCipherTiles(int questId);
    ~MgCipherTiles() override;

    // Tiles in place ignore every event; a press plays the select sound;
    // then the frame's selection; then the hover looks of tiles not
    // selected, while no swap runs.
    void onButton(int id, int state) override;
    // 1: the glow has risen and waited: the frame's finish (700 ms, then the
    // finished message). 1122: the finished message.
    void onActionFinished(int32_t id) override;
    // Every tile shows its normal look while the tiles move.
    void onSwapStarted(int idA, int idB) override;
    // The solved test first, then the two tiles that arrived in place light
    // up.
    void onSwapFinished(int idA, int idB) override;

    bool isTileInPlace(int tileId) const { return rules.isTileInPlace(board, tileId); }
    const CipherRules& getRules() const { return rules; }
    int getGlowAlpha() const { return glowAlpha; }
    ImageWidget* getGlowWidget() const { return glowWidget; }
    // The board, then the symbols slot by slot and which stand in place.
    std::string puzzleState() const override;

    // Tint of a tile not yet in place, and of one in place.
    static const Color Dimmed;
    static const Color Lit;

protected:
    void build() override;
    void onUpdate(int dt) override;
    void buildElements() override;
    bool isSolved() const override;
    void deselectTile(int slot) override;
    void selectTile(int slot) override;
    // The glow rises over 1000 ms and waits 500 ms (action 1); without a glow
    // image every tile's active look fades in over 1000 ms.
    void onSolved() override;

private:
    // Moves every tile out of its place and places them.
    void moveAllOutOfPlace();

    bool glowFading = false;
    bool hasGlow;
    int glowAlpha = 0;
    std::string solution;
    CipherRules rules;
    ImageWidget* glowWidget = nullptr;  // owned by the screen
};
