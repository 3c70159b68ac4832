#pragma once
// A sound effect decoded whole into memory (WAV or OGG) and played through
// SDL_mixer. It remembers the channel of its latest play; the sound counts as
// playing only while that channel still plays this sound's own sample, so a
// channel taken over by another sound after this one ended is left alone.
//
// Every start, fade-out and halt, and the sound's end (its destructor), is
// told to the audio request observer (AudioRequests.h), whether or not the
// mixer is open.
//
// Safe without an open mixer (the game runs silent without a sound card):
// loading then fails, and on a sound loaded earlier every play returns -1,
// isPlaying is false, fadeOut and halt do nothing and the length is 0.
#include "engine/audio/AudioRequests.h"
#include "engine/audio/Sound.h"
#include <cstdint>
#include <memory>
#include <string>

struct Mix_Chunk;

class MixSound : public Sound {
public:
    // Decodes the file at once. On failure logs the error line
    // "Mix_LoadWAV: <path>: <reason>" and the sound stays silent. A file the
    // mixer cannot convert to its sample rate exactly loads, with a warning
    // (SampleRateCheck).
    explicit MixSound(const std::string& path);
    ~MixSound() override;
    MixSound(const MixSound&) = delete;
    MixSound& operator=(const MixSound&) = delete;

    int play() override;
    int playLooped(int loops) override;
    int fadeIn(int loops, int ms) override;
    void fadeOut(int ms) override;
    void halt() override;
    bool isPlaying() const override;

    // Length of the sample in milliseconds at the mixer's output format;
    // 0 when the mixer is not open or the sound did not load.
    int getLengthMs() const;

private:
    // Tells the audio request observer of a start, fade, halt or end of this
    // sound.
    void report(AudioRequest::Kind kind, int loops) const;

    struct ChunkDeleter {
        void operator()(Mix_Chunk* chunk) const;
    };

    std::unique_ptr<Mix_Chunk, ChunkDeleter> chunk;  // null when loading failed
    int32_t channel = -1;                            // of the latest play; -1 before any
};
