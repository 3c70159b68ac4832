#include "scenes/TexItemRenderer.h"

#include "engine/core/Numbers.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/gfx/Image.h"
#include "engine/gfx/SDLSurfaceImage.h"
#include "engine/res/ResourceManager.h"
#include "game/ItemRegistry.h"
#include "game/ItemRendererOwner.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"

#include <algorithm>

namespace {

const SceneItem* recordOf(const ItemState* state)
{
    return state ? state->item.get() : nullptr;
}

std::string picturePath(const SceneItem& record)
{
    return record.folder + record.image;
}

} // namespace

TexItemRenderer::TexItemRenderer(ItemRendererOwner* rendererOwner, ItemState* drawnItem)
    : ItemRenderer(rendererOwner, drawnItem)
{
}

void TexItemRenderer::load(ResourceManager* resources)
{
    const SceneItem* record = recordOf(item);
    if (!record || !resources || texture)
        return;
    texture = resources->textureForFile(picturePath(*record));
    geom.x = toIntSaturated(record->x);
    geom.y = toIntSaturated(record->y);
    geom.w = texture->getWidth();
    geom.h = texture->getHeight();
}

Color TexItemRenderer::tint() const
{
    const SceneItem* record = recordOf(item);
    if (!record)
        return Color(255, 255, 255, 255);
    return Color(static_cast<uint8_t>(record->R), static_cast<uint8_t>(record->G), static_cast<uint8_t>(record->B),
                 static_cast<uint8_t>(record->A));
}

void TexItemRenderer::render(Graphics& g)
{
    if (texture)
        g.drawImage(0, 0, texture, tint());
}

bool TexItemRenderer::hitTest(int x, int y)
{
    if (!texture || !geom.contains(x, y))
        return false;
    const Image* picture = texture->getImage();
    return picture && !picture->isTransparentAt(x - geom.x, y - geom.y);
}

bool TexItemRenderer::showsWithin(const WidgetGeometry& area) const
{
    const Image* picture = texture ? texture->getImage() : nullptr;
    if (!picture)
        return false;
    // The part of the picture inside the area, in picture coordinates.
    const int64_t x0 = std::max<int64_t>(0, int64_t(area.x) - geom.x);
    const int64_t y0 = std::max<int64_t>(0, int64_t(area.y) - geom.y);
    const int64_t x1 = std::min<int64_t>(geom.w, int64_t(area.x) + area.w - geom.x);
    const int64_t y1 = std::min<int64_t>(geom.h, int64_t(area.y) + area.h - geom.y);
    for (int64_t y = y0; y < y1; ++y)
        for (int64_t x = x0; x < x1; ++x)
            if (!picture->isTransparentAt(static_cast<int>(x), static_cast<int>(y)))
                return true;
    return false;
}

void TexItemRenderer::onMouseState(int state)
{
    if (state != 0 || !item)
        return;
    // Everything is read before the owner runs: refreshRenderList may advance
    // the script, and nothing of this renderer is touched after it.
    ItemRendererOwner* scene = owner;
    ItemState* found = item;
    if (scene)
        scene->itemFound(found);
    if (found->item) {
        found->item->x = OutOfViewX;
        found->item->y = OutOfViewY;
    }
    ItemRegistry* registry = ItemRegistry::instance();
    const int32_t group = registry->groupOf(found->key());
    if (group != -1)
        registry->moveItem(group, found->key(), 3);
    if (scene)
        scene->refreshRenderList(found);
}

void TexItemRenderer::makeFilteredTexture(int32_t id, ImageFilter* filter, ResourceManager* resources)
{
    const SceneItem* record = recordOf(item);
    if (filtered.count(id) || !texture || !resources || !record ||
        !dynamic_cast<SDLSurfaceImage*>(texture->getImage()))
        return;
    auto* copy = new GLTexture(picturePath(*record), filter);
    resources->addTexture(copy);
    filtered[id] = copy;
}

GLTexture* TexItemRenderer::filteredTexture(int32_t id) const
{
    const auto it = filtered.find(id);
    return it != filtered.end() ? it->second : nullptr;
}
