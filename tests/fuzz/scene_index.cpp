// Fuzzes the scene index reader.
#include "game/SceneIndex.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("sceneIndex.xml");
    fuzz::writeInput(path, data, size);

    SceneIndex index;
    if (index.load(path))
        for (const auto& [id, entry] : index.entries())
            if (index.entryOf(id).itemFilePath() != entry.itemFilePath())
                __builtin_trap();
    return 0;
}
