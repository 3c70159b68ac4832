#include "scenes/GoalPanels.h"

#include "scenes/CountItemGoalRenderer.h"
#include "scenes/CountStackGoalRenderer.h"
#include "scenes/MechanicsStep.h"
#include "scenes/SceneText.h"
#include "scenes/SilhouetteGoalRenderer.h"
#include "scenes/StackedItemGoalRenderer.h"

ItemGoalRenderer* makeGoalPanel(ResourceManager* resources, const MechanicsStep& step)
{
    if (step.name == "STACKED_ITEM_LIST")
        return new StackedItemGoalRenderer(resources,
                                           step.rules.empty() ? std::string() : sceneLabel(step.rules.front().name));
    if (step.name == "FIND_X_ITEMS") {
        std::vector<std::string> names;
        for (const CollectRule& rule : step.rules)
            names.push_back(rule.name);
        return new CountItemGoalRenderer(resources, names);
    }
    if (step.name == "SHILHOUETTE_ITEM_LIST")
        return new SilhouetteGoalRenderer(resources);
    if (step.name == "COUNT_STACK_RENDERER")
        return new CountStackGoalRenderer(resources);
    return nullptr;
}
