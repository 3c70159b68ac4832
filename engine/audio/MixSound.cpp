#include "engine/audio/MixSound.h"

#include "engine/audio/MixerStatus.h"
#include "engine/audio/SampleRateCheck.h"
#include "engine/core/Log.h"

#include <SDL.h>
#include <SDL_mixer.h>

void MixSound::ChunkDeleter::operator()(Mix_Chunk* c) const
{
    // Safe with the mixer closed: it only touches the channel table while it exists.
    Mix_FreeChunk(c);
}

MixSound::MixSound(const std::string& path) : Sound(path)
{
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    // Without a file, report SDL's reason for it rather than the mixer's
    // complaint about a null source.
    if (file)
        chunk.reset(Mix_LoadWAV_RW(file, 1));
    if (!chunk) {
        logError("Mix_LoadWAV: " + path + ": " + SDL_GetError());
        return;
    }
    SampleRateCheck::warnIfWrongSpeed("sound", path);
}

MixSound::~MixSound()
{
    report(AudioRequest::SoundFreed, 0);
}

int MixSound::play()
{
    return playLooped(0);
}

int MixSound::playLooped(int loops)
{
    channel = (chunk && mixerIsOpen()) ? Mix_PlayChannelTimed(-1, chunk.get(), loops, -1) : -1;
    report(AudioRequest::SoundStarted, loops);
    return channel;
}

int MixSound::fadeIn(int loops, int ms)
{
    channel = (chunk && mixerIsOpen()) ? Mix_FadeInChannelTimed(-1, chunk.get(), loops, ms, -1) : -1;
    report(AudioRequest::SoundStarted, loops);
    return channel;
}

void MixSound::report(AudioRequest::Kind kind, int loops) const
{
    AudioRequest request;
    request.kind = kind;
    request.source = this;
    request.path = getPath();
    request.loops = loops;
    request.channel = channel;
    request.started = kind == AudioRequest::SoundStarted && channel != -1;
    reportAudioRequest(request);
}

bool MixSound::isPlaying() const
{
    // The mixer keeps a finished channel's chunk until the channel is reused,
    // so the channel must both play and play our own sample.
    return channel != -1 && chunk && mixerIsOpen() && Mix_Playing(channel) != 0
        && Mix_GetChunk(channel) == chunk.get();
}

// Channels are handed out only by play calls on this thread, so the channel
// checked by isPlaying cannot change hands before the call that follows it.
void MixSound::fadeOut(int ms)
{
    report(AudioRequest::SoundFadedOut, 0);
    if (isPlaying())
        Mix_FadeOutChannel(channel, ms);
}

void MixSound::halt()
{
    report(AudioRequest::SoundHalted, 0);
    if (isPlaying())
        Mix_HaltChannel(channel);
}

int MixSound::getLengthMs() const
{
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    if (!chunk || Mix_QuerySpec(&frequency, &format, &channels) == 0)
        return 0;
    const int bytesPerSample = (format & 0xFF) / 8;
    if (bytesPerSample == 0 || channels <= 0 || frequency <= 0)
        return 0;
    const int64_t samples = static_cast<int64_t>(chunk->alen) / bytesPerSample / channels;
    // 64-bit: samples x 1000 passes 2^31 for samples longer than about 13 minutes.
    return static_cast<int>(samples * 1000 / frequency);
}
