#pragma once
// One <Collect> rule of a scene's mechanics script: which waiting items of
// the scene a CollectGroup step makes wanted.
#include <cstdint>
#include <string>
#include <vector>

struct CollectRule {
    enum Pick : int32_t { Random = 0, First = 1, All = 2 };

    // What is to be found, as the goal panel names it.
    std::string name;
    // The item kinds the rule picks from, in file order.
    std::vector<int32_t> typeIds;
    // How many items to pick; -1 (absent) means no limit. Ignored by All.
    int32_t count = -1;
    int32_t pick = All;
    // The quest the step belongs to (the first rule's counts); -1 when absent.
    int32_t questId = -1;
};
