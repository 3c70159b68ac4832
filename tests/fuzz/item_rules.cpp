// Fuzzes the two rule files of a scene: item groups and item renderers
// (each reader refuses the other's root, so one input serves both).
#include "game/SceneFiles.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("rules.xml");
    fuzz::writeInput(path, data, size);

    const ItemGroupRules groups = loadItemGroupRules(path);
    (void)groups;
    std::vector<ItemRendererRule> rules;
    loadItemRendererRules(path, rules);
    return 0;
}
