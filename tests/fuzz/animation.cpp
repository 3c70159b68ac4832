// Fuzzes the key-framed animation file reader.
#include "engine/ui/AnimationFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("animation.xml");
    fuzz::writeInput(path, data, size);

    AnimationDesc desc;
    std::string reason;
    if (AnimationFile::read(path, desc, reason)) {
        size_t frames = 0;
        for (const AnimationObjectDesc& object : desc.objects)
            frames += object.keyFrames.size();
        (void)frames;
    } else if (reason.empty()) {
        // A refused file always says why.
        __builtin_trap();
    }
    return 0;
}
