// Fuzzes the zodiac minigame's description file reader.
#include "minigames/ZodiacSignsFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("Signs.xml");
    fuzz::writeInput(path, data, size);

    (void)ZodiacSignsFile::load(path);
    return 0;
}
