#pragma once
// One streak of a RainWidget: where it is, how big (0.2 up to 1.5: longer,
// brighter and faster when bigger) and in which of the three tilted layers
// it falls.
#include <cstdint>

struct RainDrop {
    float x = 0.f;
    float y = 0.f;
    float size = 0.f;
    int32_t layer = 0;
};
