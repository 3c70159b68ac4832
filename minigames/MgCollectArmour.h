#pragma once
// The collect-armour minigame (quest 66): armour pieces lie scattered over
// the picture, each belonging to one of the armour slots that stand in the
// frames along the bottom. Clicking a piece collects it into its slot
// (ArmourPart); a slot with all its pieces can be dragged to its place on
// the picture, where it snaps and shows the finished item (ArmourSlot).
// When every slot is placed the game is solved.
//
// The slots and pieces come from "content/config/minigames/Quest66.xml"
// (CollectArmourFile); their pictures from
// "content/images/minigames/CollectArmour/" + name + "Game.Images.Extension"
// (a slot's "texture" is the finished item, the same name with 1, 2 and 3
// its pieces' layers). Without a usable file the screen shows its picture
// and the frame's buttons and can only be skipped. A corner that would put
// a piece's picture or a slot's frame off the screen (a target corner: that
// point itself) is moved onto it, with one error line: off the screen it
// could never be picked up, dragged or placed.
#include "minigames/MiniGameBase.h"

#include <string>
#include <vector>

class ArmourSlot;

class MgCollectArmour : public MiniGameBase {
public:
    // Where the background's four frames stand.
    static const Point FrameCorners[4];

    explicit MgCollectArmour(int questId);
    ~MgCollectArmour() override;

    // A slot was placed: solved when every slot is.
    void onSlotPlaced();
    bool allSlotsPlaced() const;

    // Per slot its state (collected parts, D draggable, P placed).
    std::string puzzleState() const override;

    const std::vector<ArmourSlot*>& getSlots() const { return armourSlots; }

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;

private:
    GLTexture* loadImage(const std::string& name);
    // The corner of a w x h picture moved onto the screen (the keys name its
    // coordinates in the line about them).
    static Point onScreen(Point corner, int w, int h, const std::string& keyX, const std::string& keyY);

    std::string imageExtension;
    std::vector<ArmourSlot*> armourSlots;  // owned by the screen
};
