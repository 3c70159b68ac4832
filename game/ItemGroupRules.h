#pragma once
// The group rules of a scene: which registry group an item starts in, decided
// by the item's `type` (which of the two tables applies, 0 or 1) and its
// `typeId`. A plain record of two tables; loadItemGroupRules fills it.
#include <cstdint>
#include <map>

struct SceneItem;

class ItemGroupRules {
public:
    using Table = std::map<int32_t, int32_t>; // typeId -> group number

    // The starting group of the item, or -1 for a null item, an item whose
    // type is neither 0 nor 1, or a typeId its table has no rule for.
    int32_t groupOf(const SceneItem* item) const;

    // Table 0 and table 1.
    Table tables[2];
};
