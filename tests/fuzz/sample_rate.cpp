// Fuzzes the sample-rate reader of WAV and Ogg files (read to warn about a
// sound the mixer would play at the wrong speed).
#include "engine/audio/SampleRateCheck.h"
#include "tests/fuzz/FuzzSupport.h"

#include <SDL/SDL.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
    if (!rw)
        std::abort();
    const long long rate = SampleRateCheck::readRate(rw);
    (void)SampleRateCheck::convertsExactly(rate, 44100);
    SDL_RWclose(rw);
    return 0;
}
