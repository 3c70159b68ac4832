#pragma once
// One wanted item as a goal panel lists it.
#include <cstdint>

class ItemState;

struct GoalEntry {
    ItemState* item = nullptr;  // the registry's record; not owned
    // The registry group it was taken from.
    int32_t group = 0;
    // The item's index in its scene.
    int32_t itemIndex = 0;
};
