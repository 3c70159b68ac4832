#pragma once
// Decoding picture files for the engine: every file picture (textures, their
// JPEG masks, font pages) is read here, so every one gets the same checks.
//
//  - The size is read from the file's own header (PNG IHDR, JPEG SOFn)
//    before anything is decoded, and a picture wider or taller than the
//    largest texture is refused: a small file claiming a huge size costs no
//    decode, and nothing is cropped later. Other formats are checked after
//    decoding.
//  - A CMYK (four-component) JPEG is converted to opaque RGB; decoded as it
//    is, its ink values would be read as red, green, blue and alpha.
#include <string>

struct SDL_Surface;
struct SDL_RWops;

class ImageFile {
public:
    enum class Kind { Unknown, Png, Jpeg };

    // What the header says. For a PNG `components` is 0.
    struct Header {
        Kind kind = Kind::Unknown;
        long long width = 0, height = 0;
        int components = 0;   // JPEG: 1 grey, 3 colour, 4 CMYK or YCCK
        bool adobe = false;   // JPEG: an Adobe APP14 segment came before the frame
    };

    // Reads the header of a PNG or JPEG from `rw` (from its current position;
    // the position afterwards may be anywhere). False, with Kind::Unknown,
    // when the data is neither or the header is cut short.
    [[nodiscard]] static bool readHeader(SDL_RWops* rw, Header& header);
    [[nodiscard]] static bool readHeader(const std::string& path, Header& header);

    // The largest side of a picture that can become one texture: the GL
    // limit when an OpenGL video mode is set, and never more than the widest
    // power-of-two 32-bit surface SDL 1.2 can hold (its row pitch is 16 bits).
    static int largestSide();

    // Decodes the file with SDL_image after the checks above. Returns a new
    // surface (the caller frees it) or null with the reason in SDL's error
    // string (IMG_GetError); the reason does not repeat the path.
    static SDL_Surface* load(const std::string& path);

    // Turns the pixels of a four-component JPEG as SDL_image decodes them
    // (bytes C, M, Y, K in memory; inverted when `adobe`, as Adobe writes
    // them) into opaque RGB in the surface's own format. Does nothing to a
    // surface that is not 32 bits per pixel.
    static void convertCmyk(SDL_Surface* surface, bool adobe);

private:
    ImageFile() = delete;
};
