// Fuzzes the spell-drawing minigame's description file reader.
#include "minigames/CastingSpellsFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("game.xml");
    fuzz::writeInput(path, data, size);

    const CastingSpellsDesc desc = CastingSpellsFile::load(path);
    if (!desc.hasSurface && !desc.spells.empty())
        __builtin_trap();
    return 0;
}
