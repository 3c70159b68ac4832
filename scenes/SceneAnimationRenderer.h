#pragma once
// A collectable item with a sprite-sheet animation that plays over its
// picture all the time (keys "SceneAnimation." + infoTip + ...), centred on
// the picture along an axis whose group id is negative.
#include "scenes/SpriteItemRenderer.h"

class SceneAnimationRenderer : public SpriteItemRenderer {
public:
    SceneAnimationRenderer(ItemRendererOwner* owner, ItemState* item);

    void setPlaying(bool on) { playing = on; }
    bool isPlaying() const { return playing; }

protected:
    bool spriteRunning() const override { return playing; }
    bool centreX() const override { return spriteX < 0; }
    bool centreY() const override { return spriteY < 0; }

private:
    bool playing = true;
};
