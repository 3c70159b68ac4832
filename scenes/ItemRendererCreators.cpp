#include "scenes/ItemRendererCreators.h"

#include "scenes/CollectableItemRenderer.h"
#include "scenes/ItemRendererFactory.h"
#include "scenes/ItemRendererIds.h"
#include "scenes/TexItemRenderer.h"

void registerItemRendererCreators(ItemRendererFactory& factory)
{
    factory.registerCreator(CollectableItemRendererId, createItemRenderer<CollectableItemRenderer>);
    factory.registerCreator(TexItemRendererId, createItemRenderer<TexItemRenderer>);
    factory.registerCreator(CollectableItemRenderer2Id, createItemRenderer<CollectableItemRenderer>);
}
