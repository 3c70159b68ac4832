#include "engine/audio/MixMusic.h"

#include "engine/audio/AudioRequests.h"
#include "engine/audio/MixerStatus.h"
#include "engine/audio/SampleRateCheck.h"
#include "engine/core/Log.h"

#include <SDL_mixer.h>

void MixMusic::MusicDeleter::operator()(_Mix_Music* m) const
{
    // Stops the track first when it is the one playing.
    Mix_FreeMusic(m);
}

MixMusic::MixMusic(const std::string& path) : Music(path)
{
    music.reset(Mix_LoadMUS(path.c_str()));
    loaded = music != nullptr;
    if (!loaded) {
        // The mixer itself says nothing when a track fails.
        logError("Mix_LoadMUS: " + path + ": " + Mix_GetError());
        return;
    }
    SampleRateCheck::warnIfWrongSpeed("music", path);
}

MixMusic::~MixMusic()
{
    AudioRequest request;
    request.kind = AudioRequest::MusicFreed;
    request.source = this;
    request.path = getPath();
    reportAudioRequest(request);
}

int MixMusic::play(int loops)
{
    int result = -1;
    if (mixerIsOpen()) {
        // Halting first also cuts a track that is fading out; the mixer would
        // otherwise wait for the fade to end before starting the new one.
        Mix_HaltMusic();
        if (music)
            result = Mix_PlayMusic(music.get(), loops);
    }
    AudioRequest request;
    request.kind = AudioRequest::MusicStarted;
    request.source = this;
    request.path = getPath();
    request.loops = loops;
    request.started = result == 0;
    reportAudioRequest(request);
    return result;
}
