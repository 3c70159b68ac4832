#pragma once
// One step of a scene's mechanics script: a CollectGroup (items to find) or a
// Screen (another screen shown over the scene until it returns).
#include "scenes/CollectRule.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct MechanicsStep {
    enum Kind : int32_t { CollectGroup = 0, Screen = 1 };

    int32_t kind = CollectGroup;
    // CollectGroup: its identifier ("UNSPECIFIED" when absent), which picks
    // the goal panel. Screen: the screen type.
    std::string name;
    // CollectGroup only: its valid <Collect> rules in file order.
    std::vector<CollectRule> rules;
    // Screen only: every attribute of the element by name, "type" included.
    std::map<std::string, std::string> attributes;

    // The attribute's value, or "" when the step has none.
    std::string attribute(const std::string& key) const
    {
        const auto it = attributes.find(key);
        return it != attributes.end() ? it->second : std::string();
    }
};
