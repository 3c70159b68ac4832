#pragma once
// The sprite-sheet animation some item renderers draw over their picture.
// Its settings are tuning keys named prefix + the item's infoTip + suffix:
// ".TextureFileName" (the sheet, + the "Game.Images.Extension" value),
// ".AnimWidth", ".AnimHeight" (frame size), ".NumColumns", ".NumRows",
// ".NumFrames", ".FrameDuration" (ms), and, read by the animated key item,
// ".AnimOffsetX", ".AnimOffsetY". Missing keys give a one-frame sheet of
// 64 x 64 pixels, 100 ms a frame; a sheet that cannot be read draws nothing.
//
// The sheet texture belongs to the resource manager given to load(); the
// animation is owned.
#include "engine/core/Types.h"

#include <memory>
#include <string>

class Animation;
class Graphics;
class ResourceManager;

class ItemSprite {
public:
    ItemSprite();
    ~ItemSprite();
    ItemSprite(const ItemSprite&) = delete;
    ItemSprite& operator=(const ItemSprite&) = delete;

    // Reads the settings under prefix + tip and loads the sheet into
    // `resources` (nothing is loaded without a manager). With `randomStart`
    // the animation begins at a random frame.
    void load(const std::string& prefix, const std::string& tip, ResourceManager* resources, bool randomStart);
    // Feeds the frame time (one frame change at most per call).
    void update(int dt);
    void draw(Graphics& g, int x, int y) const;

    Animation* getAnimation() const { return animation.get(); }
    int getFrameWidth() const { return frameWidth; }
    int getFrameHeight() const { return frameHeight; }
    // ".AnimOffsetX", ".AnimOffsetY" as read by load().
    int getOffsetX() const { return offsetX; }
    int getOffsetY() const { return offsetY; }

private:
    std::unique_ptr<Animation> animation;
    int frameWidth = 0;
    int frameHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
};
