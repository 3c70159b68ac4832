#pragma once
// An armour slot of the collect-armour game: a 150 x 150 frame at its home
// corner that shows the pieces collected so far, layer over layer, in the
// order they came. With all of them it can be dragged ("MG_COLLECTARMOUR_
// PRESS"); a left-button release on it plays "MG_COLLECTARMOUR_RELEASE" and
// ends the drag: dropped within reach of its target it snaps there
// ("MG_COLLECTARMOUR_INPLACE"), shows the finished item, takes no more
// pointer events and tells the game (MgCollectArmour::onSlotPlaced);
// otherwise it goes back home. The rules are ArmourSlotState.
//
// Textures are not owned (the screen's manager has them); nor is the game.
#include "engine/ui/Widget.h"
#include "minigames/ArmourSlotState.h"

#include <array>

class ArmourPart;
class GLTexture;
class MgCollectArmour;

class ArmourSlot : public Widget {
public:
    static constexpr int Size = 150;
    using PieceImages = std::array<GLTexture*, ArmourSlotState::PartsPerSlot>;

    // At `start`, Size x Size. `finished` is the placed item (its size is
    // the drop window), `pieces` the layer of each part.
    ArmourSlot(Point start, Point end, GLTexture* finished, const PieceImages& pieces, MgCollectArmour* game);

    // The part's layer shows from now on.
    void collect(const ArmourPart& part);

    void draw(Graphics& g, ScreenBase* screen) override;
    void onMousePress(MouseEvent* event) override;
    void onMouseMove(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;

    const ArmourSlotState& getState() const { return state; }
    GLTexture* getFinishedImage() const { return finishedImage; }

private:
    ArmourSlotState state;
    Point grab;
    GLTexture* finishedImage;  // not owned
    PieceImages pieceImages;   // not owned
    MgCollectArmour* game;     // not owned
};
