#pragma once
// The upload layer below the renderer: turns an SDL surface into an OpenGL
// texture. Failures return null and set SDL's error string (SDL_GetError).
#include <SDL.h>
#include <cstdint>

// Result of an upload; owned by the texture that asked for it.
struct OglBlitTexture {
    uint32_t name = 0;      // GL texture name
    int32_t format = 0;     // GL_RGBA or GL_RGB
    int32_t texWidth = 0;   // texture size chosen by the size fit
    int32_t texHeight = 0;
    int32_t surfaceWidth = 0;  // size of the surface that was uploaded
    int32_t surfaceHeight = 0;
};

// Uploads the surface as a new GL texture (linear filtering, clamped), with
// conversion to RGBA when its layout or size cannot be used directly.
// Returns a new record (the caller owns it) or null with SDL's error set; a
// surface wider or taller than the largest texture is refused, not cropped.
OglBlitTexture* SDL_oglblit(SDL_Surface* surface);

// Writes the surface's pixels over GL texture `name` (texWidth x texHeight)
// when GL can read them as they are at exactly that size: no new texture, no
// new GL storage. False, changing nothing, when it cannot.
bool SDL_oglrefresh(unsigned int name, int texWidth, int texHeight, SDL_Surface* surface);

// A new 32-bit RGBA surface of width x height (per-pixel alpha, masks R 0xff,
// G 0xff00, B 0xff0000, A 0xff000000) holding a copy of the source at its
// top-left corner. The source's alpha values are copied, not blended. Null
// when the surface cannot be made.
SDL_Surface* convertToRGBA(SDL_Surface* surface, int width, int height);

// True when rowToRGBA can read the surface: 24 or 32 bits per pixel with 8
// bits per channel, no palette, colour key or run-length encoding.
bool readsAsRGBA(const SDL_Surface* surface);
// Writes row y of such a surface (locked if it must be) to out[0, w) as
// 32-bit values in convertToRGBA's layout; no alpha channel reads as opaque.
void rowToRGBA(const SDL_Surface* surface, int y, Uint32* out);

// Checks that a width x height texture of the GL format can be made; when not,
// tries power-of-two sides (capped at GL_MAX_TEXTURE_SIZE), and sets both to 0
// when that fails too. Returns true only when the size was usable unchanged.
bool fitTextureSize(int& width, int& height, int format);

// The value itself when it is a power of two, else the next power of two;
// capped at `max`.
int nextPowerOfTwo(int value, int max);
