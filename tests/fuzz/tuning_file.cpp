// Fuzzes the tuning-file reader and its typed getters.
#include "engine/store/ConfigFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("GameParameters.cfg");
    fuzz::writeInput(path, data, size);

    const ConfigFile cfg(path);
    for (const char* key : {"a", "text", "", "Points.ItemFound", "x"}) {
        (void)cfg.getParamString(key, "d");
        (void)cfg.getParamInt(key, -1);
        (void)cfg.getParamFloat(key, -1.0f);
        (void)cfg.getParamBool(key, false);
    }
    return 0;
}
