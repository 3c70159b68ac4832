#include "game/ItemState.h"

#include "game/ItemRenderer.h"
#include "game/SceneItem.h"

#include <utility>

ItemState::ItemState(int32_t stateId, int32_t itemIndex, int32_t sceneId, std::unique_ptr<SceneItem> item)
    : stateId(stateId), itemIndex(itemIndex), sceneId(sceneId), item(std::move(item))
{
}

ItemState::~ItemState()
{
    // The scene that drew the item must forget it before it goes; the
    // renderer draws the record, so it goes first.
    if (renderer)
        renderer->itemDestroyed();
    renderer.reset();
}
