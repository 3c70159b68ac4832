#pragma once
// A music track, streamed while it plays. Only one track plays at a time.
#include "engine/core/DeferableResource.h"

class Music : public DeferableResource {
public:
    using DeferableResource::DeferableResource;
    ~Music() override = default;

    // Stops whatever track plays and starts this one. Loop counts follow the
    // mixer: 0 plays once, n plays n + 1 times, -1 repeats until stopped.
    // Returns 0 when the track started, -1 when it could not.
    virtual int play(int loops) = 0;
};
