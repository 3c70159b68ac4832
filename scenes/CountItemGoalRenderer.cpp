#include "scenes/CountItemGoalRenderer.h"

#include "engine/gfx/Graphics.h"
#include "game/ContentTables.h"
#include "game/ItemRenderer.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"

#include <algorithm>

namespace {

int typeIdOf(const GoalEntry& entry)
{
    return entry.item && entry.item->item ? entry.item->item->typeId : -1;
}

} // namespace

CountItemGoalRenderer::CountItemGoalRenderer(ResourceManager* manager, const std::vector<std::string>& names)
    : ItemGoalRenderer(manager)
{
    const int n = static_cast<int>(names.size());
    for (int i = 0; i < n; ++i) {
        NameSlot slot;
        slot.index = i;
        slot.box = WidgetGeometry(516 - 100 * n + 200 * i, 154, 0, 200, 24);
        slots.push_back(slot);
    }
}

CountItemGoalRenderer::~CountItemGoalRenderer() = default;

void CountItemGoalRenderer::refresh(ItemState* item)
{
    if (item && !firstWanted.count(item))
        return;
    if (!item) {
        if (wanted.empty())
            return;
        firstWanted.clear();
        std::vector<int> typeIds;
        for (const GoalEntry& entry : wanted) {
            firstWanted.insert(entry.item);
            typeIds.push_back(typeIdOf(entry));
        }
        std::sort(typeIds.begin(), typeIds.end());
        typeIds.erase(std::unique(typeIds.begin(), typeIds.end()), typeIds.end());
        for (size_t i = 0; i < slots.size() && i < typeIds.size(); ++i)
            slots[i].typeId = typeIds[i];
    }
    for (NameSlot& slot : slots) {
        int count = 0;
        std::string name;
        for (const GoalEntry& entry : wanted)
            if (slot.typeId != -1 && typeIdOf(entry) == slot.typeId) {
                ++count;
                name = entry.item->item->name;
            }
        slot.text = count == 0 ? std::string() : count > 1 ? name + " x " + std::to_string(count) : name;
    }
    for (const GoalEntry& entry : wanted)
        if (entry.item && entry.item->renderer)
            entry.item->renderer->setDecoratorEnabled(true);
}

void CountItemGoalRenderer::draw(Graphics& g, ScreenBase*)
{
    drawHead(g, FONT_TIMES16);
    for (const NameSlot& slot : slots)
        drawCentred(g, isHighlighted(slot.index) ? FONT_TIMES16 : FONT_TIMES16_NE, slot.box, slot.text);
}

void CountItemGoalRenderer::onActionFinished(int32_t) {}

int CountItemGoalRenderer::entryAt(int x, int y) const
{
    int hit = -1;
    for (const NameSlot& slot : slots)
        if (slot.box.contains(x, y))
            hit = slot.index;
    return hit;
}

ItemState* CountItemGoalRenderer::itemOfEntry(int entry) const
{
    if (entry < 0 || entry >= static_cast<int>(slots.size()))
        return nullptr;
    for (const GoalEntry& e : wanted)
        if (slots[static_cast<size_t>(entry)].typeId != -1 && typeIdOf(e) == slots[static_cast<size_t>(entry)].typeId)
            return e.item;
    return nullptr;
}
