#pragma once
// Reads the headers of binary files (pictures, sounds) through an SDL RWops:
// reads of an exact size, skips, and the two byte orders file formats use.
#include <SDL.h>

class ByteReader {
public:
    // `source` is not owned and may be null (every read then fails).
    explicit ByteReader(SDL_RWops* source) : rw(source) {}

    // Reads exactly `count` bytes into `out`; false when the data ends
    // first or cannot be read.
    [[nodiscard]] bool read(unsigned char* out, int count);
    // Moves `count` bytes ahead; false when the source cannot go that far.
    [[nodiscard]] bool skip(long long count);

    // The first `count` bytes (at most 8) as an unsigned number.
    static long long bigEndian(const unsigned char* bytes, int count);
    static long long littleEndian(const unsigned char* bytes, int count);

private:
    SDL_RWops* rw;
};
