#pragma once
// The global volumes of music and sound effects. Volumes use the mixer's
// scale 0-128.
class SoundSystem {
public:
    SoundSystem() = default;
    virtual ~SoundSystem() = default;
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    // Sets the music volume; returns the previous one.
    virtual int setMusicVolume(int volume) = 0;
    // Sets the volume of one mixer channel, or of every channel when
    // `channel` is -1; returns the mixer's answer (the previous volume, the
    // average over all channels for -1).
    virtual int setSoundVolume(int channel, int volume) = 0;
};
