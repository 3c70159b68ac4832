#pragma once
// The rectangle tile sum minigame (quest 14): twelve number tiles in two
// rows of six slots on the tile-swap board. The player exchanges tiles two
// at a time until both rows and the three two-by-two rectangles across the
// rows reach their sums (TileSumRules). A glow lights up for every sum that
// is right at the moment, a crosses picture pulses all the time (0 to 255
// and back, 3000 ms each way), and every exchange is a DissapearSwapEffect.
// When all five sums are right the holes' glow rises over 1500 ms while
// every tile fades to its final look and stops taking the pointer; 500 ms
// later the frame's finish follows (700 ms, then the finished message).
//
// Tuning keys under "MgRearangeElements.Quest<id>." besides the frame's
// HasBackground, NumberOfElements (12) and slot corners:
//   Element<i>Img (string)  the picture name of tile i
// Pictures under "content/images/minigames/RearangeElements/Quest<id>/"
// with "Game.Images.Extension": per tile <name>, <name>MO (pointer over or
// selected) and <name>FIN (final); and GlowHoles (47, 33), CrossesGlow
// (150, 88), 16Glow (870, 97), 17Glow (868, 339), 9Glow (96, 478), 11Glow
// (371, 495), 13Glow (650, 498). Sounds "MG_RECTANGLETILESUM_SELECT",
// "..._DESELECT" and "..._SWAP".
#include "minigames/MgRearrangeElements.h"
#include "minigames/TileSumRules.h"

#include <vector>

class ImageWidget;

class MgRectangleTileSum : public MgRearrangeElements {
public:
    explicit MgRectangleTileSum(int questId);
    ~MgRectangleTileSum() override;

    // The frame's selection; then the hover look of tiles that are not
    // selected, while no exchange runs.
    void onButton(int id, int state) override;
    // 0: the final glow has risen and waited: the frame's finish. 1122: the
    // finished message.
    void onActionFinished(int32_t id) override;
    // Busy, and every tile shows its normal look.
    void onSwapStarted(int idA, int idB) override;

    // The sums of the board as it stands.
    TileSumRules::Sums sums() const { return TileSumRules::evaluate(board); }
    int getCrossesPulse() const { return crossesPulse; }
    int getFinalAlpha() const { return finalAlpha; }
    ImageWidget* getCrossesWidget() const { return crossesWidget; }
    ImageWidget* getFinalWidget() const { return finalWidget; }
    const std::vector<ImageWidget*>& getRowGlows() const { return rowGlows; }
    const std::vector<ImageWidget*>& getRectangleGlows() const { return rectangleGlows; }
    // The board, the sums, which glows are lit (rows then rectangles) and
    // whether it is solved.
    std::string puzzleState() const override;

protected:
    void build() override;
    void onUpdate(int dt) override;
    void buildElements() override;
    // The sums; also lights exactly the glows of the sums that are met
    // (nothing before the glows exist).
    bool isSolved() const override;
    void deselectTile(int slot) override;
    void selectTile(int slot) override;
    // The final glow, every tile's final look; the tiles stop taking the
    // pointer.
    void onSolved() override;

private:
    // A disabled decoration of the quest's folder at (x, y), alpha 0 unless
    // `visible`, added above everything so far.
    ImageWidget* addDecoration(const std::string& name, int x, int y, bool visible);

    int crossesPulse = 0;
    int finalAlpha = 0;
    // Widgets owned by the screen.
    ImageWidget* crossesWidget = nullptr;
    ImageWidget* finalWidget = nullptr;
    std::vector<ImageWidget*> rowGlows;
    std::vector<ImageWidget*> rectangleGlows;
};
