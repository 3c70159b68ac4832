#include "engine/core/ByteReader.h"

#include <climits>

bool ByteReader::read(unsigned char* out, int count)
{
    return rw && count >= 0 && SDL_RWread(rw, out, 1, count) == count;
}

bool ByteReader::skip(long long count)
{
    // SDL 1.2 seeks by int offsets.
    if (!rw || count < 0 || count > INT_MAX)
        return false;
    return count == 0 || SDL_RWseek(rw, static_cast<int>(count), RW_SEEK_CUR) >= 0;
}

long long ByteReader::bigEndian(const unsigned char* bytes, int count)
{
    long long value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

long long ByteReader::littleEndian(const unsigned char* bytes, int count)
{
    long long value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}
