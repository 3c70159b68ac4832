#include "scenes/FireflyRenderer.h"

#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"
#include "scenes/FireflyWidget.h"

FireflyRenderer::FireflyRenderer(ItemRendererOwner* rendererOwner, ItemState* drawnItem)
    : ItemRenderer(rendererOwner, drawnItem)
{
}

FireflyRenderer::~FireflyRenderer() = default;

void FireflyRenderer::load(ResourceManager* resources)
{
    if (!item || !item->item || !resources)
        return;
    const SceneItem& record = *item->item;
    GLTexture* texture = resources->textureForFile(record.folder + record.image);
    firefly = std::make_unique<FireflyWidget>(texture, static_cast<int>(record.x), static_cast<int>(record.y),
                                              record.majorGroupID, static_cast<float>(record.minorGroupID / 4),
                                              static_cast<float>(record.minorGroupID), TurnRate, SpeedVariation);
}

void FireflyRenderer::update(int dt)
{
    if (firefly)
        firefly->update(dt, nullptr);
}

void FireflyRenderer::render(Graphics& g)
{
    if (!firefly || !item || !item->item)
        return;
    g.pushTransform();
    g.translate(firefly->getPosX() - item->item->x, firefly->getPosY() - item->item->y);
    firefly->draw(g, nullptr);
    g.popTransform();
}
