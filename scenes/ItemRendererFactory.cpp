#include "scenes/ItemRendererFactory.h"

#include "game/ItemRendererRule.h"
#include "game/SceneFiles.h"

#include <vector>

void ItemRendererFactory::loadRules(const std::string& path)
{
    std::vector<ItemRendererRule> rules;
    loadItemRendererRules(path, rules);
    for (const ItemRendererRule& rule : rules)
        addRule(new ItemRendererFactoryInput(rule.pattern), rule.rendererId);
}
