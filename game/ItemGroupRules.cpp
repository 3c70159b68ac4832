#include "game/ItemGroupRules.h"

#include "game/SceneItem.h"

int32_t ItemGroupRules::groupOf(const SceneItem* item) const
{
    if (!item || (item->type != 0 && item->type != 1))
        return -1;
    const Table& table = tables[item->type];
    const auto it = table.find(item->typeId);
    return it != table.end() ? it->second : -1;
}
