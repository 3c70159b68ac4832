#pragma once
// The identity of a registered scene item: its position in its scene's item
// file (0-based) and its scene id. Two items are the same item when both are
// equal.
#include <cstdint>

struct ItemKey {
    int32_t itemIndex = -1;
    int32_t sceneId = -1;

    bool operator==(const ItemKey& o) const { return itemIndex == o.itemIndex && sceneId == o.sceneId; }
    bool operator!=(const ItemKey& o) const { return !(*this == o); }
};
