#include "scenes/RainRenderer.h"

#include "game/ItemState.h"
#include "game/SceneItem.h"
#include "scenes/RainWidget.h"

#include <cstdint>

RainRenderer::RainRenderer(ItemRendererOwner* rendererOwner, ItemState* drawnItem)
    : ItemRenderer(rendererOwner, drawnItem)
{
}

RainRenderer::~RainRenderer() = default;

void RainRenderer::load(ResourceManager* resources)
{
    if (!item || !item->item || rain)
        return;
    const SceneItem& record = *item->item;
    const uint32_t colour = (static_cast<uint32_t>(record.R) & 0xff) | (static_cast<uint32_t>(record.G) & 0xff) << 8 |
                            (static_cast<uint32_t>(record.B) & 0xff) << 16 |
                            (static_cast<uint32_t>(record.A) & 0xff) << 24;
    rain = std::make_unique<RainWidget>();
    rain->setup(record.folder + record.image, record.majorGroupID, resources, colour, record.angle);
}

void RainRenderer::update(int dt)
{
    if (rain)
        rain->update(dt, nullptr);
}

void RainRenderer::render(Graphics& g)
{
    if (rain)
        rain->draw(g, nullptr);
}
