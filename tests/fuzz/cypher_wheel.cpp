// Fuzzes the cypher wheel minigame's description file reader.
#include "minigames/CypherWheelFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("Wheel.xml");
    fuzz::writeInput(path, data, size);

    const CypherWheelDesc desc = CypherWheelFile::load(path, Point(100, 100));
    if (!desc.loaded && !desc.components.empty())
        __builtin_trap();
    return 0;
}
