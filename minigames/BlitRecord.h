#pragma once
// One software blit waiting in the minigame frame's queue: a source picture
// drawn into a texture's kept image with the per-channel combine of
// ImageGraphics::combineRegion. The frame applies the queue once per frame,
// so many stamps cost one upload of the texture.
#include "engine/core/Types.h"

class Image;

struct BlitRecord {
    // Destination corner in the target image.
    int x = 0;
    int y = 0;
    // Not owned: the kept image of a texture of the same screen, which
    // outlives the queue.
    Image* source = nullptr;
    // Source rectangle in its pixels.
    Rect rect;
    // Channels written.
    bool red = false;
    bool green = false;
    bool blue = false;
    bool alpha = true;
    // combineRegion's modes: with fast and not replace, target =
    // max(target - source, 0), the brush that wipes a picture away.
    bool replace = false;
    bool fast = true;
};
