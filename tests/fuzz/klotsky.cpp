// Fuzzes the sliding-block minigame's description file reader.
#include "minigames/KlotskyFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("Board.xml");
    fuzz::writeInput(path, data, size);

    const KlotskyDesc desc = KlotskyFile::load(path);
    if (!desc.hasBoard && (!desc.tiles.empty() || !desc.conditions.empty()))
        __builtin_trap();
    return 0;
}
