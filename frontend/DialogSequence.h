#pragma once
// The steps of a conversation in file order and the place of the next one.
// A dialog without a "Sequence" element has an empty sequence: it finishes
// at its first update.
#include "frontend/DialogStep.h"

#include <memory>
#include <set>
#include <vector>

class Dialog;

class DialogSequence {
public:
    explicit DialogSequence(Dialog* owner);

    // Appends a copy owned by the sequence and notes its character.
    DialogStep* add(const DialogStep& step);
    // The next step (the place moves past it), or null after the last.
    DialogStep* next();

    int stepCount() const { return static_cast<int>(steps.size()); }
    const DialogStep* stepAt(int index) const { return steps.at(static_cast<size_t>(index)).get(); }
    unsigned nextIndex() const { return nextStep; }
    // The character ids the steps name, ascending.
    const std::set<int>& characterIds() const { return characters; }
    Dialog* getOwner() const { return owner; }

private:
    std::vector<std::unique_ptr<DialogStep>> steps;
    unsigned nextStep = 0;
    Dialog* owner;  // not owned
    std::set<int> characters;
};
