// Fuzzes the armour-collecting minigame's description file reader.
#include "minigames/CollectArmourFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("Armour.xml");
    fuzz::writeInput(path, data, size);

    for (const ArmourSlotDesc& slot : CollectArmourFile::load(path))
        if (slot.parts.size() > static_cast<size_t>(CollectArmourFile::PartsPerSlot))
            __builtin_trap();
    return 0;
}
