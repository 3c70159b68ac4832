#pragma once
// What an item renderer may ask of the scene that made it: the hidden-object
// scene implements it. Renderers call it from their update and mouse
// handling, so every operation must be safe inside the scene's own update and
// input dispatch.
class ItemState;

class ItemRendererOwner {
public:
    virtual ~ItemRendererOwner() = default;

    // The item (may be null) has changed group or position: the scene rebuilds
    // its drawing order and its goal panel's list, and advances its script
    // when nothing is wanted any more.
    virtual void refreshRenderList(ItemState* item) = 0;
    // The player found the item (the scene's found-item hook).
    virtual void itemFound(ItemState* item) = 0;
    // Puts the item above every other drawn item of the scene.
    virtual void raiseItem(ItemState* item) = 0;
    // The item's state is being destroyed (its renderer with it): the scene
    // forgets every pointer it keeps to it. Called from the ItemState's
    // destructor; the registry must not be used from here.
    virtual void itemDestroyed(ItemState* item) = 0;
};
