#include "scenes/ItemRendererFactory.h"

#include "engine/core/Log.h"
#include "game/ItemRendererRule.h"
#include "game/SceneFiles.h"

#include <vector>

void ItemRendererFactory::loadRules(const std::string& path)
{
    std::vector<ItemRendererRule> rules;
    loadItemRendererRules(path, rules);
    for (size_t i = 0; i < rules.size(); ++i) {
        const ItemRendererRule& rule = rules[i];
        // The rule stays: it still decides its items, which get no renderer.
        if (!hasCreator(rule.rendererId))
            logError("item renderer rules: \"" + path + "\": rule " + std::to_string(i + 1) +
                     " names renderer " + std::to_string(rule.rendererId) +
                     ", which does not exist; the items it matches are neither drawn nor clicked");
        addRule(new ItemRendererFactoryInput(rule.pattern), rule.rendererId);
    }
}
