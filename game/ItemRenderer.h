#pragma once
// Base of the objects that draw one scene item each: they draw it, animate
// it, answer hit tests and react to clicks. Which class draws an item is
// chosen by the scene's renderer rules (scenes/ItemRendererFactory).
//
// A renderer is created disabled (its EnablerDecorator switch off) and
// visible. The scene sends clicks and hover changes only to enabled
// renderers and draws only visible ones, with the origin already moved to
// the item's position: render() draws at 0, 0.
//
// Ownership: the item's ItemState owns its renderer while one is set and
// deletes it through this base. The owner (the scene) and the item are not
// owned. Textures a renderer loads belong to the resource manager given to
// load().
#include "engine/core/Types.h"
#include "engine/ui/EnablerDecorator.h"
#include "game/VisibilityDecorator.h"

class Graphics;
class ItemRendererOwner;
class ItemState;
class ResourceManager;

class ItemRenderer : public EnablerDecorator, public VisibilityDecorator {
public:
    // Disabled, visible, geometry all 0.
    explicit ItemRenderer(ItemRendererOwner* owner = nullptr, ItemState* item = nullptr);
    virtual ~ItemRenderer();
    ItemRenderer(const ItemRenderer&) = delete;
    ItemRenderer& operator=(const ItemRenderer&) = delete;

    // Per-frame logic; nothing here.
    virtual void update(int dt);
    // Draws the item at 0, 0; nothing here.
    virtual void render(Graphics& g);
    // Whether the screen point (x, y) hits the item; false here.
    virtual bool hitTest(int x, int y);
    // The item's rectangle on screen.
    virtual WidgetGeometry& geometry();
    // 0 a click, 1 the pointer entered the item, 2 it left; nothing here.
    virtual void onMouseState(int state);
    // Called once after creation with the scene screen's resource manager;
    // nothing here.
    virtual void load(ResourceManager* resources);

    // Called by the item's ItemState when it is destroyed: tells the owner,
    // so that it drops its pointers to the item.
    void itemDestroyed();

    ItemRendererOwner* getOwner() const { return owner; }
    ItemState* getItem() const { return item; }

protected:
    WidgetGeometry geom;
    ItemRendererOwner* owner;  // not owned; may be null
    ItemState* item;           // not owned; may be null
};
