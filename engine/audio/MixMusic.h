#pragma once
// A music track streamed by SDL_mixer (any format the mixer reads; the game
// uses Ogg Vorbis, chosen by the file's extension). A track that failed to
// load logs one error line "Mix_LoadMUS: <path>: <reason>" and is silent:
// play still stops the current track, then fails. A track the mixer cannot
// convert to its sample rate exactly loads, with a warning
// (SampleRateCheck). Without an open mixer play does nothing and fails.
// Every play, and the track's end (its destructor), is told to the audio
// request observer (AudioRequests.h).
#include "engine/audio/Music.h"
#include <memory>
#include <string>

struct _Mix_Music;  // SDL_mixer's Mix_Music

class MixMusic : public Music {
public:
    explicit MixMusic(const std::string& path);
    ~MixMusic() override;
    MixMusic(const MixMusic&) = delete;
    MixMusic& operator=(const MixMusic&) = delete;

    int play(int loops) override;

    bool isLoaded() const { return loaded; }

private:
    struct MusicDeleter {
        void operator()(_Mix_Music* music) const;
    };

    std::unique_ptr<_Mix_Music, MusicDeleter> music;  // null when loading failed
    bool loaded = false;
};
