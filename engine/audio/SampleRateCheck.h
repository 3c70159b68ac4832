#pragma once
// SDL_mixer 1.2 converts a file's sample rate to the mixer's only by factors
// of two (SDL's converter drops whatever ratio is left), so a 48 kHz or 8 kHz
// file on a 44.1 kHz mixer plays at the wrong speed and pitch without any
// error. Sounds and music ask here after loading, and a file that will play
// wrongly is reported with a warning naming it and both rates.
#include <string>

struct SDL_RWops;

class SampleRateCheck {
public:
    // The sample rate a WAV file's fmt chunk or an Ogg Vorbis stream's
    // identification header gives, read from the current position of `rw`;
    // 0 for other formats or a header cut short.
    static long long readRate(SDL_RWops* rw);
    static long long readRate(const std::string& path);

    // Whether SDL 1.2's converter turns fileRate into mixerRate exactly: the
    // rates agree in whole hundreds of hertz once the lower one has been
    // doubled as often as it goes into the higher one (how the converter
    // compares them). True when either rate is unknown (0).
    static bool convertsExactly(long long fileRate, long long mixerRate);

    // When the mixer is open and the file at `path` will play at the wrong
    // speed, prints one warning naming `what` ("sound", "music"), the file,
    // its rate and the mixer's. Each file is reported once per run.
    static void warnIfWrongSpeed(const std::string& what, const std::string& path);

private:
    SampleRateCheck() = delete;
};
