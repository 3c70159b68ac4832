#pragma once
// The registry's record of one scene item the player has met: its key, a
// state number the goal panels use, the item's record from the scene item
// file and, while a scene screen of its scene exists, its renderer.
#include "game/ItemKey.h"

#include <cstdint>
#include <memory>

struct SceneItem;
class ItemRenderer;

class ItemState {
public:
    ItemState(int32_t stateId, int32_t itemIndex, int32_t sceneId, std::unique_ptr<SceneItem> item);
    // Deletes the renderer, when set (its scene is told first, see
    // ItemRendererOwner::itemDestroyed), and the item record.
    ~ItemState();
    ItemState(const ItemState&) = delete;
    ItemState& operator=(const ItemState&) = delete;

    ItemKey key() const { return ItemKey{itemIndex, sceneId}; }

    // Set to the item's index at registration; the goal panels order and
    // stack by it and may change it. Saved and restored with the item.
    int32_t stateId;
    // Position of the item in its scene's item file (0-based).
    int32_t itemIndex;
    int32_t sceneId;
    // Owned; null between loading a profile and ItemRegistry::relinkSceneItems
    // (and for good when the scene's file no longer has the item).
    std::unique_ptr<SceneItem> item;
    // Owned while set; the scene screen resets it when it is destroyed.
    std::unique_ptr<ItemRenderer> renderer;
};
