#include "engine/audio/AudioRequests.h"

#include <utility>

namespace {

// Never destroyed: sounds and tracks may still go while the program exits.
AudioRequestObserver& observer()
{
    static AudioRequestObserver* installed = new AudioRequestObserver;
    return *installed;
}

} // namespace

void setAudioRequestObserver(AudioRequestObserver next)
{
    observer() = std::move(next);
}

void reportAudioRequest(const AudioRequest& request)
{
    if (observer())
        observer()(request);
}
