#include "scenes/ItemGoalRenderer.h"

ItemGoalRenderer::ItemGoalRenderer() : groups{2} {}

ItemGoalRenderer::~ItemGoalRenderer() = default;

void ItemGoalRenderer::refresh(ItemState*) {}

void ItemGoalRenderer::attachToScene() {}

const std::vector<GoalEntry>& ItemGoalRenderer::wantedEntries() const
{
    return wanted;
}
