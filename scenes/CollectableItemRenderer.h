#pragma once
// The renderer of the items the player clicks to find: the item's picture
// with a spring (push), a wiggle, a scale about its centre, its own alpha and
// an optional outline. A click (mouse state 0) tells the owner the item was
// found and plays the collect animation: the picture swells to 1.5 times its
// size in 250 ms, shrinks to nothing in the next 750 ms and fades out over
// the whole second. At its end the item is moved out of sight (1024, 768) and
// into the registry's group 3; a rune (typeId 200) is then handed to the game
// scene (QDScene::onItemCollected), any other item makes the owner refresh
// its render list (which advances the script when nothing is wanted).
//
// The renderer is disabled from the click on, so a second click during the
// animation does nothing. All animations move by the milliseconds given to
// update(). The actions are owned; textures belong to the resource manager
// given to load().
#include "engine/anim/ActionListener.h"
#include "scenes/TexItemRenderer.h"

#include <cstdint>
#include <memory>

class Action;

class CollectableItemRenderer : public ActionListener, public TexItemRenderer {
public:
    static constexpr int CollectMs = 1000;
    static constexpr int SwellMs = 250;
    static constexpr int ShrinkMs = 750;
    static constexpr int WiggleStepMs = 50;

    CollectableItemRenderer(ItemRendererOwner* owner, ItemState* item);
    ~CollectableItemRenderer() override;

    // The end of the collect animation (any id).
    void onActionFinished(int32_t id) override;
    // Starts the collect animation (replacing one still held); the item is
    // disabled and raised above the others at once.
    virtual void collect();
    // An impulse the next update gives the spring.
    virtual void push(int32_t fx, int32_t fy);
    // Draws an outline around the picture from now on.
    virtual void outline();
    // A short up-and-down shake (four 3-pixel steps of 50 ms).
    void wiggle();

    // Loads the picture and takes the item's A as the drawing alpha.
    void load(ResourceManager* resources) override;
    void update(int dt) override;
    // Leaves the transform changed: the scene restores it.
    void render(Graphics& g) override;
    // The picture's hit test with the spring's displacement taken off.
    bool hitTest(int x, int y) override;
    // A click: the owner hears itemFound, then the collect animation starts.
    // Nothing once the item was found.
    void onMouseState(int state) override;

    float getScale() const { return scale; }
    int32_t getAlpha() const { return alpha; }
    int32_t getOffsetY() const { return offsetY; }
    bool isOutlined() const { return outlined != 0; }
    bool isCollecting() const { return collectAction != nullptr; }
    float getSpringX() const { return springX; }
    float getSpringY() const { return springY; }

protected:
    std::unique_ptr<Action> collectAction;
    std::unique_ptr<Action> wiggleAction;
    float scale = 1.0f;
    int32_t alpha = 255;
    float springX = 0, springY = 0;
    float springVX = 0, springVY = 0;
    int32_t forceX = 0, forceY = 0;
    int32_t offsetX = 0, offsetY = 0;
    uint8_t outlined = 0;
};
