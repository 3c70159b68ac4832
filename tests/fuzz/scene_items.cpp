// Fuzzes the reader of a scene's item file (found through the scene index,
// which here names the fuzz input for scene 1).
#include "game/SceneFiles.h"
#include "game/SceneIndex.h"
#include "game/SceneItem.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("Scene.xml");
    static const bool indexed = [] {
        SceneIndexEntry entry;
        entry.id = 1;
        entry.fileName = "Scene.xml";
        entry.path = fuzz::scratchFolder() + "/";
        SceneIndex::instance()->entries()[1] = entry;
        return true;
    }();
    (void)indexed;
    fuzz::writeInput(path, data, size);

    for (const auto& item : loadSceneItems(1))
        if (!item)
            __builtin_trap();
    return 0;
}
