#include "scenes/ItemRendererCreators.h"

#include "scenes/ItemRendererFactory.h"
#include "scenes/ItemRendererIds.h"
#include "scenes/TexItemRenderer.h"

void registerItemRendererCreators(ItemRendererFactory& factory)
{
    factory.registerCreator(TexItemRendererId, createItemRenderer<TexItemRenderer>);
}
