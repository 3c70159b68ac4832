#pragma once
// What the game asks of the mixer, told as it asks to one observer: a sound
// started (its loop count and the channel it got), faded out, halted or
// freed, a music track started or freed (the mixer stops a freed sample or
// track that plays).
// An observer sees what the game decided to play, which does not depend on
// how far the mixer has played it in real time; the test driver records it.
// There is no observer by default. Everything runs on the game's thread.
#include <functional>
#include <string>

struct AudioRequest {
    enum Kind { SoundStarted, SoundFadedOut, SoundHalted, SoundFreed, MusicStarted, MusicFreed };
    Kind kind = SoundStarted;
    // The Sound or Music object asked, and the file it was loaded from.
    const void* source = nullptr;
    std::string path;
    // Starts: the loop count (-1 repeats until stopped).
    int loops = 0;
    // Sounds: the channel of the play started, or of the latest play that a
    // fade or a halt is meant for; -1 for none.
    int channel = -1;
    // Starts: whether the mixer took it (a channel for a sound, the track
    // playing for music).
    bool started = false;
};

using AudioRequestObserver = std::function<void(const AudioRequest&)>;

// Installs the observer (an empty one removes it).
void setAudioRequestObserver(AudioRequestObserver observer);
// Tells the observer, if any; called by the mixer's sound and music classes.
void reportAudioRequest(const AudioRequest& request);
