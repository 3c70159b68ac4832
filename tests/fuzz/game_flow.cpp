// Fuzzes the game flow reader and walks the list it read.
#include "game/GameFlow.h"
#include "game/GameFlowEntry.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("GameFlow.xml");
    fuzz::writeInput(path, data, size);

    GameFlow flow;
    if (!flow.load(path))
        return 0;
    for (int i = -1; i <= flow.entryCount(); ++i) {
        const GameFlowEntry* entry = flow.entryAt(i);
        if ((entry != nullptr) != (i >= 0 && i < flow.entryCount()))
            __builtin_trap();
    }
    return 0;
}
