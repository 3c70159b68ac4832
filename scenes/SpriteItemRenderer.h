#pragma once
// A collectable item with a sprite-sheet animation drawn over its picture
// (ItemSprite, keys prefix + infoTip + ...). The sprite is drawn at the
// item's majorGroupID, minorGroupID (item-local pixels); a subclass decides
// where it is centred on the picture instead and when it runs.
#include "scenes/CollectableItemRenderer.h"
#include "scenes/ItemSprite.h"

#include <string>

class SpriteItemRenderer : public CollectableItemRenderer {
public:
    SpriteItemRenderer(ItemRendererOwner* owner, ItemState* item, const std::string& keyPrefix);

    // The picture, the sprite (at a random frame), then the offset as the
    // subclass centres it.
    void load(ResourceManager* resources) override;
    // The collectable update; the sprite runs while spriteRunning().
    void update(int dt) override;
    // The collectable picture; the sprite on it while spriteRunning().
    void render(Graphics& g) override;

    int getSpriteX() const { return spriteX; }
    int getSpriteY() const { return spriteY; }
    const ItemSprite& getSprite() const { return sprite; }

protected:
    virtual bool spriteRunning() const = 0;
    // Whether the sprite is centred on the picture along x, along y.
    virtual bool centreX() const = 0;
    virtual bool centreY() const = 0;

    std::string keyPrefix;
    ItemSprite sprite;
    int spriteX = 0;
    int spriteY = 0;
};
