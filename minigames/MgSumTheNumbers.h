#pragma once
// The sum-the-numbers minigame (quest 69): five number tiles (1, 4, 7, 8
// and 9) stand on five places of a board in shuffled order; the player
// clicks one tile (it dims) and then another, and the two change places,
// each shrinking away and growing back on the other's place (NumberObject).
// When every tile stands on its own place the glow fades in over 1000 ms
// and the game is solved. The places and the solved test are
// SumTheNumbersBoard; clicks are never blocked, not even during a movement
// or after the solution, and the glow starts only once.
//
// Pictures: the registered "MG_SUMNUMBERS_*" textures. Sounds "MG_PRESS"
// (every click on a tile) and "MG_SUMTHENUMBER_SWAP" (an exchange).
#include "minigames/MiniGameBase.h"
#include "minigames/SumTheNumbersBoard.h"

#include <string>
#include <vector>

class NumberObject;

class MgSumTheNumbers : public MiniGameBase {
public:
    explicit MgSumTheNumbers(int questId);
    ~MgSumTheNumbers() override;

    // The tiles' clicks (event 1, the release).
    void onButtonEvent(int id, int event) override;
    // 0: the glow is full: solved. 1122: the finished message.
    void onActionFinished(int32_t id) override;
    // A tile's movement ended.
    void onTileArrived(int tileId);

    // The board's description and the glow.
    std::string puzzleState() const override;

    const SumTheNumbersBoard& getBoard() const { return board; }
    // Tile k (0 ... 4) in id order, or null.
    NumberObject* tile(int k) const;
    int getGlowAlpha() const { return glowAlpha; }

    // The selected tile's tint.
    static const Color Selected;

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;

private:
    SumTheNumbersBoard board;
    std::vector<NumberObject*> tiles;  // owned by the screen
    int glowAlpha = 0;
};
