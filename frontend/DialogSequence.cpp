#include "frontend/DialogSequence.h"

DialogSequence::DialogSequence(Dialog* dialog)
    : owner(dialog)
{
}

DialogStep* DialogSequence::add(const DialogStep& step)
{
    steps.push_back(std::make_unique<DialogStep>(step));
    steps.back()->owner = this;
    characters.insert(step.character);
    return steps.back().get();
}

DialogStep* DialogSequence::next()
{
    if (nextStep >= steps.size())
        return nullptr;
    return steps[nextStep++].get();
}
