#pragma once
// Hears a spell button: event 0 pressed, 1 released, 2 the pointer entered,
// 3 it left; `id` is the spell index.
class SpellButtonListener {
public:
    virtual ~SpellButtonListener() = default;
    virtual void onSpellButtonPressed(int id, int event) = 0;
};
