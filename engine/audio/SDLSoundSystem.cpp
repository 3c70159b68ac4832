#include "engine/audio/SDLSoundSystem.h"

#include "engine/audio/MixerStatus.h"

#include <SDL_mixer.h>

int SDLSoundSystem::setMusicVolume(int volume)
{
    return Mix_VolumeMusic(volume);
}

int SDLSoundSystem::setSoundVolume(int channel, int volume)
{
    // Closed, the mixer's channel table is gone (or was never made and the
    // all-channel average would divide by zero).
    if (!mixerIsOpen())
        return 0;
    return Mix_Volume(channel, volume);
}
