#include "engine/audio/MixerStatus.h"

#include <SDL_mixer.h>

bool mixerIsOpen()
{
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    return Mix_QuerySpec(&frequency, &format, &channels) != 0;
}
