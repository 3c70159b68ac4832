#include "engine/gfx/ImageFile.h"

#include "engine/core/ByteReader.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_image.h>
#include <algorithm>
#include <cstring>
#include <string>

namespace {

// A 32-bit surface 16384 pixels wide needs a row pitch of 65536 bytes, one
// more than SDL 1.2's 16-bit pitch holds, so textures (widened to powers of
// two) can be at most 8192 on a side whatever the GL allows.
constexpr int kLargestSurfaceSide = 8192;

const unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};

// Start-of-frame markers: C0-CF except C4 (Huffman tables), C8 (reserved)
// and CC (arithmetic conditioning).
bool isStartOfFrame(int marker)
{
    return marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
}

// Walks the JPEG segments after SOI up to the first frame header.
bool readJpegFrame(ByteReader& in, ImageFile::Header& header)
{
    unsigned char byte = 0;
    for (;;) {
        // A marker is 0xFF (any number of them: fill bytes) and a code.
        if (!in.read(&byte, 1))
            return false;
        if (byte != 0xff)
            return false;
        do {
            if (!in.read(&byte, 1))
                return false;
        } while (byte == 0xff);
        const int marker = byte;
        // Markers without a length.
        if (marker == 0x01 || (marker >= 0xd0 && marker <= 0xd8))
            continue;
        // Image data or its end before any frame: not a picture we can size.
        if (marker == 0xda || marker == 0xd9)
            return false;
        unsigned char lengthBytes[2];
        if (!in.read(lengthBytes, 2))
            return false;
        const long long length = ByteReader::bigEndian(lengthBytes, 2);
        if (length < 2)
            return false;
        long long rest = length - 2;
        if (isStartOfFrame(marker)) {
            unsigned char frame[6];
            if (rest < 6 || !in.read(frame, 6))
                return false;
            header.height = ByteReader::bigEndian(frame + 1, 2);
            header.width = ByteReader::bigEndian(frame + 3, 2);
            header.components = frame[5];
            return true;
        }
        if (marker == 0xee && rest >= 5) {
            unsigned char tag[5];
            if (!in.read(tag, 5))
                return false;
            rest -= 5;
            if (std::memcmp(tag, "Adobe", 5) == 0)
                header.adobe = true;
        }
        if (!in.skip(rest))
            return false;
    }
}

bool readPngHeader(ByteReader& in, ImageFile::Header& header)
{
    // The first chunk of every PNG is IHDR: length, type, width, height.
    unsigned char chunk[16];
    if (!in.read(chunk, 16) || std::memcmp(chunk + 4, "IHDR", 4) != 0)
        return false;
    header.width = ByteReader::bigEndian(chunk + 8, 4);
    header.height = ByteReader::bigEndian(chunk + 12, 4);
    return true;
}

std::string sizeText(long long width, long long height)
{
    return std::to_string(width) + "x" + std::to_string(height);
}

// The reason why a picture of this size is refused, or "" when it fits.
std::string tooLarge(long long width, long long height)
{
    const int largest = ImageFile::largestSide();
    if (width <= largest && height <= largest)
        return std::string();
    return "the picture is " + sizeText(width, height) + " pixels, larger than the largest texture (" +
           sizeText(largest, largest) + ")";
}

Uint8 product(int a, int b)
{
    return static_cast<Uint8>((a * b + 127) / 255);
}

} // namespace

bool ImageFile::readHeader(SDL_RWops* rw, Header& header)
{
    header = Header();
    ByteReader in(rw);
    unsigned char start[8];
    if (!in.read(start, 2))
        return false;
    if (start[0] == 0xff && start[1] == 0xd8) {
        header.kind = Kind::Jpeg;
    } else if (in.read(start + 2, 6) && std::memcmp(start, kPngSignature, 8) == 0) {
        header.kind = Kind::Png;
    } else {
        return false;
    }
    const bool ok = header.kind == Kind::Jpeg ? readJpegFrame(in, header) : readPngHeader(in, header);
    if (!ok)
        header = Header();
    return ok;
}

bool ImageFile::readHeader(const std::string& path, Header& header)
{
    SDL_RWops* rw = SDL_RWFromFile(path.c_str(), "rb");
    if (!rw) {
        header = Header();
        return false;
    }
    const bool ok = readHeader(rw, header);
    SDL_RWclose(rw);
    return ok;
}

int ImageFile::largestSide()
{
    int largest = kLargestSurfaceSide;
    // Asking GL without a context of our own is no use (and not safe with
    // every driver): only an OpenGL video mode has one.
    const SDL_Surface* screen = SDL_GetVideoSurface();
    if (screen && (screen->flags & SDL_OPENGL)) {
        GLint glLimit = 0;
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &glLimit);
        if (glLimit > 0)
            largest = std::min(largest, static_cast<int>(glLimit));
    }
    // Pictures are widened to powers of two: the limit must be one too.
    int power = 1;
    while (power * 2 <= largest)
        power *= 2;
    return power;
}

SDL_Surface* ImageFile::load(const std::string& path)
{
    Header header;
    const bool known = readHeader(path, header);
    if (known) {
        const std::string refused = tooLarge(header.width, header.height);
        if (!refused.empty()) {
            SDL_SetError("%s", refused.c_str());
            return nullptr;
        }
    }
    SDL_Surface* surface = IMG_Load(path.c_str());
    if (!surface)
        return nullptr;
    if (!known) {
        const std::string refused = tooLarge(surface->w, surface->h);
        if (!refused.empty()) {
            SDL_FreeSurface(surface);
            SDL_SetError("%s", refused.c_str());
            return nullptr;
        }
    }
    if (header.kind == Kind::Jpeg && header.components == 4)
        convertCmyk(surface, header.adobe);
    return surface;
}

void ImageFile::convertCmyk(SDL_Surface* surface, bool adobe)
{
    if (!surface || surface->format->BytesPerPixel != 4)
        return;
    const bool locked = SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) == 0;
    for (int y = 0; y < surface->h; ++y) {
        auto* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < surface->w; ++x) {
            Uint8* p = row + x * 4;
            // The decoder wrote the four inks as bytes in file order. Adobe
            // stores them inverted (255 = no ink), which is what remains of
            // the light: red = (1 - C)(1 - K), and so on.
            int ink[4] = {p[0], p[1], p[2], p[3]};
            if (!adobe)
                for (int& value : ink)
                    value = 255 - value;
            const Uint32 pixel = SDL_MapRGBA(surface->format, product(ink[0], ink[3]), product(ink[1], ink[3]),
                                             product(ink[2], ink[3]), SDL_ALPHA_OPAQUE);
            std::memcpy(p, &pixel, 4);
        }
    }
    if (locked)
        SDL_UnlockSurface(surface);
}
