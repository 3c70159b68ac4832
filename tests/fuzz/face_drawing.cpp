// Fuzzes the face-drawing minigame's description file reader.
#include "minigames/FaceDrawingFile.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("Face.xml");
    fuzz::writeInput(path, data, size);

    (void)FaceDrawingFile::load(path);
    return 0;
}
