#pragma once
// The renderer rules of a scene, as plain records: each names the renderer id
// for the items matching its pattern. -1 in a pattern field matches anything;
// the first rule in list order that matches an item decides its renderer.
#include "game/InputData.h"

#include <cstdint>

// What a renderer is chosen by: the item's registry group, typeId and type.
// Used both as a rule's pattern and as the description of an item.
class ItemRendererFactoryInput : public InputData {
public:
    ItemRendererFactoryInput() = default;
    ItemRendererFactoryInput(int32_t group, int32_t typeIdValue, int32_t typeValue)
        : groupId(group), typeId(typeIdValue), type(typeValue)
    {
    }

    // True when `other` is an ItemRendererFactoryInput and each of the three
    // fields is equal on both sides or -1 on either side.
    bool matches(const InputData* other) const override;

    int32_t groupId = -1;
    int32_t typeId = -1;
    int32_t type = -1;
};

struct ItemRendererRule {
    ItemRendererFactoryInput pattern;
    int32_t rendererId = 0;
};
