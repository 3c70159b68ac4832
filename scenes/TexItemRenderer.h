#pragma once
// The plain textured item renderer, on which most others build: the item's
// picture (scene folder + image) drawn with the item's tint. A hit is a point
// inside the picture whose pixel is not fully transparent, so the scene tries
// the items below through transparent parts. A click takes the item out of
// view: it goes to the registry's group 3 ("taken out of view") and is moved
// off screen (1024, 768).
//
// Textures are added to the resource manager given to load() (the scene
// screen's), which owns them. Without a record (ItemState::item null) or a
// resource manager nothing is loaded, drawn or hit.
#include "game/ItemRenderer.h"

#include <cstdint>
#include <map>

class GLTexture;
class ImageFilter;

class TexItemRenderer : public ItemRenderer {
public:
    // Where a clicked item is moved: just off the 1024 x 768 screen.
    static constexpr float OutOfViewX = 1024.0f;
    static constexpr float OutOfViewY = 768.0f;

    TexItemRenderer(ItemRendererOwner* owner, ItemState* item);

    // Loads the picture; geometry = the item's position (truncated towards
    // zero) and the picture's size.
    void load(ResourceManager* resources) override;
    void render(Graphics& g) override;
    bool hitTest(int x, int y) override;
    // Whether a click inside `area` (scene coordinates) can hit the item: a
    // pixel of its picture there is not fully transparent. False for a
    // picture that did not load (the transparent pixel it gets) or one that
    // lies outside the area.
    bool showsWithin(const WidgetGeometry& area) const;
    // A click (0): the owner hears itemFound, the item goes out of view and
    // to group 3, and the owner refreshes its render list. Hover states do
    // nothing.
    void onMouseState(int state) override;

    // Makes, once per id, a copy of the picture run through `filter` (not
    // owned; it must outlive the texture) and adds it to `resources`. Nothing
    // when the id already has one, or the picture is not a decoded surface.
    void makeFilteredTexture(int32_t id, ImageFilter* filter, ResourceManager* resources);
    // Stores a texture made elsewhere (owned by a resource manager) under
    // the id, replacing what was there.
    void setFilteredTexture(int32_t id, GLTexture* copy) { filtered[id] = copy; }
    // The filtered copy made under the id, or null.
    GLTexture* filteredTexture(int32_t id) const;
    GLTexture* getTexture() const { return texture; }

protected:
    // The item's tint from the low bytes of its R, G, B, A.
    Color tint() const;

    GLTexture* texture = nullptr;              // owned by the resource manager
    std::map<int32_t, GLTexture*> filtered;    // owned by the resource manager
};
