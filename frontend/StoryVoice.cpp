#include "frontend/StoryVoice.h"

#include "engine/audio/MixSound.h"
#include "game/SfxContainer.h"

void StoryVoice::play(const std::string& name, bool loop)
{
    SfxContainer* sfx = SfxContainer::instance();
    if (sfx->isLoaded())
        sfx->playSound(name, loop);
}

void StoryVoice::stop(const std::string& name)
{
    SfxContainer::instance()->stopSound(name);
}

int StoryVoice::lengthMs(const std::string& name)
{
    const auto* sound = dynamic_cast<const MixSound*>(SfxContainer::instance()->getSound(name));
    const int ms = sound ? sound->getLengthMs() : 0;
    return ms > 0 ? ms : 0;
}
