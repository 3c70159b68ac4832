// Fuzzes the sound effect table reader. No mixer: the sounds are only
// registered, never opened.
#include "game/SfxContainer.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("sfx.xml");
    fuzz::writeInput(path, data, size);

    SfxContainer sfx;
    if (sfx.loadSfx(path) && !sfx.isLoaded())
        __builtin_trap();
    return 0;
}
