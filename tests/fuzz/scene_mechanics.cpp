// Fuzzes the reader of a scene's mechanics script.
#include "scenes/MechanicsStep.h"
#include "scenes/SceneMechanics.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("SceneMechanics.xml");
    fuzz::writeInput(path, data, size);

    for (const auto& step : loadSceneMechanics(path))
        if (!step)
            __builtin_trap();
    return 0;
}
