// Fuzzes the picture header reader (PNG and JPEG sizes, read before a
// picture is decoded to refuse one the graphics card cannot hold).
#include "engine/gfx/ImageFile.h"
#include "tests/fuzz/FuzzSupport.h"

#include <SDL/SDL.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!rw)
        std::abort();
    ImageFile::Header header;
    if (ImageFile::readHeader(rw, header) && (header.width < 0 || header.height < 0))
        __builtin_trap();
    SDL_RWclose(rw);
    return 0;
}
