#pragma once
// Runes charge the spells: a rune is an item of typeId 200 or 213 whose
// majorGroupID is the index of the spell it charges and whose minorGroupID
// tells the runes of one spell apart. Found runes lie in the registry's
// group 0, across all scenes; a spell is ready when three different runes
// of it have been found, and casting it uses them up.
#include "game/ItemKey.h"

#include <vector>

class ItemState;
class SpellButton;

// The number of distinct minorGroupIDs among the runes of the spell in
// `found`.
int countSpellRunes(const std::vector<ItemState*>& found, int spell);
// The first rune of each minorGroupID of the spell in `found`, in order, at
// most four.
std::vector<ItemKey> spellRunesToConsume(const std::vector<ItemState*>& found, int spell);

// The button's charge from the found runes of every scene; three or more
// make it ready (blinking, silently).
void recountSpellRunes(SpellButton& button);
// Empties the button and removes the runes it used from the registry, then
// counts again.
void consumeSpellRunes(SpellButton& button);
