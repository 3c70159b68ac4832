#include "minigames/MemoryMatchRules.h"

#include <algorithm>

MemoryMatchRules::MemoryMatchRules(int count)
    : symbolCount(std::max(1, count))
{
}

void MemoryMatchRules::deal(const Random& random)
{
    shown = 1;
    answers = 0;
    previous = -1;
    verdict = NoVerdict;
    current = random(std::min(symbolCount, 2)) + 1;
    next = random(limit()) + 1;
}

int MemoryMatchRules::limit() const
{
    return std::min(symbolCount, shown / 4 + 2);
}

int MemoryMatchRules::pickSymbol(const Random& random) const
{
    const int r1 = random(limit());
    if (current != -1 && random(4) == 0)
        return current;
    return r1 + 1;
}

MemoryMatchRules::Verdict MemoryMatchRules::answer(bool saysMatch)
{
    const bool same = previous == current;
    verdict = saysMatch == same ? Right : Wrong;
    ++answers;
    return verdict;
}

void MemoryMatchRules::slideFinished(const Random& random)
{
    ++shown;
    verdict = NoVerdict;
    previous = current;
    current = next;
    if (shown <= AnswerCount)
        next = pickSymbol(random);
}

std::string MemoryMatchRules::describe() const
{
    static const char* const verdicts[] = {"none", "right", "wrong"};
    return "shown=" + std::to_string(shown) + " answers=" + std::to_string(answers) + " symbols=" +
           std::to_string(previous) + "," + std::to_string(current) + "," + std::to_string(next) +
           " verdict=" + verdicts[verdict];
}
