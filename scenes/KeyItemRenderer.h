#pragma once
// A key item: its picture and, while it is enabled (wanted), a sprite-sheet
// animation over it (keys "KeyItem." + infoTip + ...). The sprite is centred
// on the picture along an axis whose group id is negative, and always for
// typeId 213, whatever its group ids.
#include "scenes/SpriteItemRenderer.h"

class KeyItemRenderer : public SpriteItemRenderer {
public:
    static constexpr int CentredTypeId = 213;

    KeyItemRenderer(ItemRendererOwner* owner, ItemState* item);

protected:
    bool spriteRunning() const override;
    bool centreX() const override;
    bool centreY() const override;

private:
    bool alwaysCentred() const;
};
