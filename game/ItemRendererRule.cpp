#include "game/ItemRendererRule.h"

namespace {
bool fieldMatches(int32_t a, int32_t b)
{
    return a == b || a == -1 || b == -1;
}
} // namespace

bool ItemRendererFactoryInput::matches(const InputData* other) const
{
    const auto* input = dynamic_cast<const ItemRendererFactoryInput*>(other);
    return input && fieldMatches(groupId, input->groupId) && fieldMatches(typeId, input->typeId) &&
           fieldMatches(type, input->type);
}
