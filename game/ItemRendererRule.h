#pragma once
// The renderer rules of a scene, as plain records: each names the renderer id
// for the items matching its pattern. -1 in a pattern field matches anything;
// the first rule in list order that matches an item decides its renderer.
#include <cstdint>

// What a renderer is chosen by: the item's registry group, typeId and type.
struct ItemRendererFactoryInput {
    int32_t groupId = -1;
    int32_t typeId = -1;
    int32_t type = -1;
};

struct ItemRendererRule {
    ItemRendererFactoryInput pattern;
    int32_t rendererId = 0;
};
