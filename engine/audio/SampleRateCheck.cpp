#include "engine/audio/SampleRateCheck.h"

#include "engine/core/ByteReader.h"
#include "engine/core/Log.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <algorithm>
#include <cstring>
#include <set>

namespace {

// After "RIFF", the size and "WAVE": chunks of id, size and data, padded to
// even sizes; the rate is the third field of "fmt ".
long long readWavRate(ByteReader& in)
{
    unsigned char chunk[8];
    while (in.read(chunk, 8)) {
        const long long size = ByteReader::littleEndian(chunk + 4, 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            unsigned char format[8];
            return size >= 8 && in.read(format, 8) ? ByteReader::littleEndian(format + 4, 4) : 0;
        }
        if (!in.skip(size + (size & 1)))
            return 0;
    }
    return 0;
}

// The first Ogg page holds the Vorbis identification packet: type 1,
// "vorbis", version (4 bytes), channels (1), rate (4).
long long readOggRate(ByteReader& in)
{
    unsigned char page[23];  // the page header after "OggS"
    if (!in.read(page, 23))
        return 0;
    const int segments = page[22];
    if (!in.skip(segments))
        return 0;
    unsigned char packet[16];
    if (!in.read(packet, 16) || packet[0] != 1 || std::memcmp(packet + 1, "vorbis", 6) != 0)
        return 0;
    return ByteReader::littleEndian(packet + 12, 4);
}

} // namespace

long long SampleRateCheck::readRate(SDL_RWops* rw)
{
    ByteReader in(rw);
    unsigned char magic[4];
    if (!in.read(magic, 4))
        return 0;
    if (std::memcmp(magic, "OggS", 4) == 0)
        return readOggRate(in);
    unsigned char riff[8];
    if (std::memcmp(magic, "RIFF", 4) == 0 && in.read(riff, 8) && std::memcmp(riff + 4, "WAVE", 4) == 0)
        return readWavRate(in);
    return 0;
}

long long SampleRateCheck::readRate(const std::string& path)
{
    SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
    if (!rw)
        return 0;
    const long long rate = readRate(rw);
    SDL_RWclose(rw);
    return rate;
}

bool SampleRateCheck::convertsExactly(long long fileRate, long long mixerRate)
{
    if (fileRate <= 0 || mixerRate <= 0)
        return true;
    const long long high = std::max(fileRate, mixerRate);
    long long low = std::min(fileRate, mixerRate);
    while (low * 2 / 100 <= high / 100)
        low *= 2;
    return low / 100 == high / 100;
}

void SampleRateCheck::warnIfWrongSpeed(const std::string& what, const std::string& path)
{
    static std::set<std::string> reported;
    int mixerRate = 0;
    Uint16 format = 0;
    int channels = 0;
    if (Mix_QuerySpec(&mixerRate, &format, &channels) == 0 || reported.count(path) != 0)
        return;
    const long long fileRate = readRate(path);
    if (convertsExactly(fileRate, mixerRate))
        return;
    reported.insert(path);
    logWarning(what + " \"" + path + "\" has a sample rate of " + std::to_string(fileRate) +
               " Hz, which the mixer (" + std::to_string(mixerRate) +
               " Hz) converts only by factors of two: it plays at the wrong speed");
}
