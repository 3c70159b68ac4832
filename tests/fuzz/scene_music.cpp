// Fuzzes the scene music table reader.
#include "game/SceneMusic.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("music.xml");
    fuzz::writeInput(path, data, size);

    SceneMusic music;
    if (music.loadSceneMusic(path))
        for (int scene = -1; scene < 4; ++scene)
            if (music.tracksFor(scene).empty() != music.musicForScene(scene).empty())
                __builtin_trap();
    return 0;
}
