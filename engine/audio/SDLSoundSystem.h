#pragma once
// The volumes, set through SDL_mixer and passed through unchanged (the mixer
// clamps values above 128; a negative value only reads the current volume).
#include "engine/audio/SoundSystem.h"

class SDLSoundSystem : public SoundSystem {
public:
    SDLSoundSystem() = default;
    ~SDLSoundSystem() override = default;

    // Works with the mixer closed too: the mixer keeps the music volume itself.
    int setMusicVolume(int volume) override;
    // Returns 0 and changes nothing while the mixer is not open.
    int setSoundVolume(int channel, int volume) override;
};
