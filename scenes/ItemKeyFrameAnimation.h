#pragma once
// A key-frame animation played for one scene item on the scene's animation
// player: loaded under the item's index from the file its infoTip names and
// played as a widget at (2048, 1536), off the screen, so that only the
// player advances it; the item's renderer draws its elements at the item's
// place, in the item's drawing order.
//
// Needs an HOScene owner with an animation player; otherwise, or when the
// file cannot be read, there is no animation and nothing is drawn.
#include <cstdint>

class Animation2D;
class Graphics;
class HOScene;
class ItemRendererOwner;
class ItemState;

class ItemKeyFrameAnimation {
public:
    static constexpr int ParkX = 2048;
    static constexpr int ParkY = 1536;

    // Loads and plays the animation (see above).
    void start(ItemRendererOwner* owner, const ItemState* item);
    // The elements at the renderer's origin.
    void draw(Graphics& g) const;
    // Stops the animation and takes it off the scene; then nothing is drawn.
    void stop();

    bool isPlaying() const { return animation != nullptr; }
    int32_t getId() const { return animationId; }

private:
    int32_t animationId = -1;
    HOScene* scene = nullptr;         // not owned
    Animation2D* animation = nullptr; // owned by the scene's widget list
};
