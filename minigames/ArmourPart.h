#pragma once
// An armour piece lying on the collect-armour picture: its picture at a
// corner, hit only on its opaque pixels. A press plays "MG_PRESS" (any
// button); a left-button release collects it: it shrinks to nothing, hides
// and goes into its slot (ArmourSlot::collect). The texture and the slot
// are not owned.
#include "engine/ui/Widget.h"

class ArmourSlot;
class GLTexture;

class ArmourPart : public Widget {
public:
    // At `corner`, sized to the picture.
    ArmourPart(GLTexture* texture, Point corner, ArmourSlot* slot, int partIndex);

    void draw(Graphics& g, ScreenBase* screen) override;
    bool hitTest(int x, int y) override;
    void onMousePress(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;

    int getPartIndex() const { return partIndex; }
    bool isCollected() const { return collected; }

private:
    int partIndex;
    GLTexture* texture;  // not owned
    ArmourSlot* slot;    // not owned
    bool collected = false;
};
