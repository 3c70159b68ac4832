#include "scenes/SpellRunes.h"

#include "game/ItemRegistry.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"
#include "scenes/SpellButton.h"

#include <algorithm>
#include <set>

namespace {

constexpr int FoundGroup = 0;
constexpr size_t MaxConsumed = 4;

// Only runes count: the found group holds nothing else today, but an item
// put there by other means must not charge a spell.
bool isRuneOf(const ItemState* state, int spell)
{
    return state && state->item && (state->item->typeId == 200 || state->item->typeId == 213) &&
           state->item->majorGroupID == spell;
}

} // namespace

int countSpellRunes(const std::vector<ItemState*>& found, int spell)
{
    std::set<int32_t> minors;
    for (const ItemState* state : found)
        if (isRuneOf(state, spell))
            minors.insert(state->item->minorGroupID);
    return static_cast<int>(minors.size());
}

std::vector<ItemKey> spellRunesToConsume(const std::vector<ItemState*>& found, int spell)
{
    std::set<int32_t> minors;
    std::vector<ItemKey> keys;
    for (const ItemState* state : found) {
        if (keys.size() >= MaxConsumed)
            break;
        if (isRuneOf(state, spell) && minors.insert(state->item->minorGroupID).second)
            keys.push_back(state->key());
    }
    return keys;
}

void recountSpellRunes(SpellButton& button)
{
    const int charge = countSpellRunes(ItemRegistry::instance()->itemsOfGroup(FoundGroup, -1), button.getId());
    button.setCharge(std::min(charge, SpellButton::FullCharge));
    if (charge >= SpellButton::FullCharge)
        button.becomeReady(false);
}

void consumeSpellRunes(SpellButton& button)
{
    button.reset();
    ItemRegistry* registry = ItemRegistry::instance();
    for (const ItemKey& key : spellRunesToConsume(registry->itemsOfGroup(FoundGroup, -1), button.getId()))
        registry->removeFound(key);
    recountSpellRunes(button);
}
