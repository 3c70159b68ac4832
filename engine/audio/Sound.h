#pragma once
// A sound effect: one sample that can be played on any free mixer channel.
// Loop counts follow the mixer: 0 plays once, n plays n + 1 times, -1 repeats
// until stopped. A sound that could not be loaded stays silent: every play
// returns -1 and it never reports playing.
#include "engine/core/DeferableResource.h"

class Sound : public DeferableResource {
public:
    using DeferableResource::DeferableResource;
    ~Sound() override = default;

    // Plays once. Returns the channel, or -1 when nothing could be played.
    virtual int play() = 0;
    // Plays with the given loop count. Returns the channel or -1.
    virtual int playLooped(int loops) = 0;
    // Plays with the given loop count, fading in over `ms`. Returns the channel or -1.
    virtual int fadeIn(int loops, int ms) = 0;
    // Fades the latest play of this sound out over `ms`; does nothing when
    // that play is over.
    virtual void fadeOut(int ms) = 0;
    // Stops the latest play of this sound at once; does nothing when it is over.
    virtual void halt() = 0;
    // True while the latest play of this sound is still sounding.
    virtual bool isPlaying() const = 0;
};
