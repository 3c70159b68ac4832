#include "engine/gfx/GLUpload.h"

#include "engine/gfx/GLCheck.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>

namespace {

constexpr Uint32 kRedMask = 0x000000ff;
constexpr Uint32 kGreenMask = 0x0000ff00;
constexpr Uint32 kBlueMask = 0x00ff0000;
constexpr Uint32 kAlphaMask = 0xff000000;

void setUploadError(const char* reason)
{
    SDL_SetError("SDL_oglblit: %s", reason);
}

// GL_RGBA or GL_RGB when GL can read the surface's pixels as they are, else 0.
GLenum directFormatOf(const SDL_Surface* surface)
{
    const SDL_PixelFormat* f = surface->format;
    if (f->BytesPerPixel == 4 && f->Rmask == kRedMask && f->Gmask == kGreenMask && f->Bmask == kBlueMask &&
        f->Amask == kAlphaMask)
        return GL_RGBA;
    if (f->BytesPerPixel == 3 && f->Rmask == kRedMask && f->Gmask == kGreenMask && f->Bmask == kBlueMask)
        return GL_RGB;
    return 0;
}

// SDL pads rows to its pitch; GL reads rows at the unpack alignment or at an
// explicit row length. Finds the setting that makes GL step rows at exactly
// the pitch; false when there is none (the surface must then be converted).
bool rowLayoutFor(const SDL_Surface* surface, GLint& alignment, GLint& rowLength)
{
    const int bpp = surface->format->BytesPerPixel;
    const int packed = surface->w * bpp;
    for (GLint a : {1, 2, 4, 8}) {
        if ((packed + a - 1) / a * a == surface->pitch) {
            alignment = a;
            rowLength = 0;
            return true;
        }
    }
    if (bpp > 0 && surface->pitch % bpp == 0) {
        alignment = 1;
        rowLength = surface->pitch / bpp;
        return true;
    }
    return false;
}

bool proxyAccepts(int width, int height, int format)
{
    const GLint components = format == GL_RGB ? 3 : 4;
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, components, width, height, 0, static_cast<GLenum>(format), GL_UNSIGNED_BYTE,
                 nullptr);
    GLint proxyWidth = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &proxyWidth);
    return proxyWidth != 0;
}

// Saves the caller's pixel-store settings (glPopClientAttrib puts them back)
// and sets those that read rows as rowLayoutFor found them.
void pushUnpackRows(GLint alignment, GLint rowLength)
{
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rowLength);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
}

// Makes a new GL texture from the surface's pixels. The caller has checked
// that the format matches and that rowLayoutFor succeeds. Null when GL
// refused the image. Leaves the previously bound texture bound.
OglBlitTexture* uploadSurface(SDL_Surface* surface, GLenum format, int texWidth, int texHeight)
{
    GLint alignment = 4, rowLength = 0;
    if (!rowLayoutFor(surface, alignment, rowLength))
        return nullptr;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) < 0)
        return nullptr;

    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    GLuint name = 0;
    glCheck(glGenTextures(1, &name));
    glCheck(glBindTexture(GL_TEXTURE_2D, name));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);

    pushUnpackRows(alignment, rowLength);
    glCheck(glTexImage2D(GL_TEXTURE_2D, 0, surface->format->BytesPerPixel, surface->w, surface->h, 0, format,
                         GL_UNSIGNED_BYTE, surface->pixels));
    glPopClientAttrib();

    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);

    // A refused image leaves level 0 empty; that is the failure signal (no
    // need to drain glGetError, which would hide other callers' errors).
    GLint storedWidth = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &storedWidth);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
    if (name == 0 || storedWidth != surface->w) {
        if (name != 0)
            glDeleteTextures(1, &name);
        return nullptr;
    }

    auto* result = new OglBlitTexture;
    result->name = name;
    result->format = static_cast<int32_t>(format);
    result->texWidth = texWidth;
    result->texHeight = texHeight;
    return result;
}

} // namespace

bool SDL_oglrefresh(unsigned int name, int texWidth, int texHeight, SDL_Surface* surface)
{
    if (!surface || name == 0 || surface->w != texWidth || surface->h != texHeight)
        return false;
    const GLenum format = directFormatOf(surface);
    GLint alignment = 4, rowLength = 0;
    if (format == 0 || !rowLayoutFor(surface, alignment, rowLength))
        return false;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) < 0)
        return false;
    GLint previous = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
    glBindTexture(GL_TEXTURE_2D, name);
    pushUnpackRows(alignment, rowLength);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, surface->w, surface->h, format, GL_UNSIGNED_BYTE, surface->pixels);
    glPopClientAttrib();
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    return true;
}

OglBlitTexture* SDL_oglblit(SDL_Surface* surface)
{
    if (!surface) {
        setUploadError("Surface passed to OGL_FromSurface is NULL.");
        return nullptr;
    }

    // Fitting would crop a larger surface to the largest texture: refuse it.
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (maxSize > 0 && (surface->w > maxSize || surface->h > maxSize)) {
        SDL_SetError("SDL_oglblit: the surface is %dx%d, larger than the largest texture (%dx%d)", surface->w,
                     surface->h, static_cast<int>(maxSize), static_cast<int>(maxSize));
        return nullptr;
    }

    GLenum format = directFormatOf(surface);
    GLint alignment = 0, rowLength = 0;
    if (format != 0 && !rowLayoutFor(surface, alignment, rowLength))
        format = 0;  // readable layout but unreadable rows: go through a copy

    int width = surface->w;
    int height = surface->h;
    bool convert = true;
    if (format != 0)
        convert = !fitTextureSize(width, height, static_cast<int>(format));
    else
        fitTextureSize(width, height, GL_RGBA);

    if (width == 0 || height == 0) {
        setUploadError("Couldn't find a suitable texture size for the given surface.");
        return nullptr;
    }

    OglBlitTexture* result = nullptr;
    if (convert) {
        SDL_Surface* copy = convertToRGBA(surface, width, height);
        if (!copy) {
            setUploadError("Couldn't copy an unsupported surface to an RGBA surface.");
            return nullptr;
        }
        result = uploadSurface(copy, GL_RGBA, width, height);
        SDL_FreeSurface(copy);
        if (!result) {
            setUploadError("Couldn't perform a surface to texture conversion, even though the given surface seems "
                           "compatible.");
            return nullptr;
        }
    } else {
        result = uploadSurface(surface, format, width, height);
    }

    if (!result) {
        setUploadError("Unknown error while converting surface to texture.");
        return nullptr;
    }
    // The picture's own size: after a conversion the texture is larger.
    result->surfaceWidth = surface->w;
    result->surfaceHeight = surface->h;
    return result;
}

namespace {

Uint32 readPixel(const Uint8* p, int bytes)
{
    if (bytes == 4) {
        Uint32 pixel;
        std::memcpy(&pixel, p, sizeof pixel);
        return pixel;
    }
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
    return static_cast<Uint32>(p[0]) << 16 | static_cast<Uint32>(p[1]) << 8 | p[2];
#else
    return static_cast<Uint32>(p[2]) << 16 | static_cast<Uint32>(p[1]) << 8 | p[0];
#endif
}

} // namespace

// The decoders' usual pictures (24-bit RGB, 32-bit RGBA in any channel order,
// 8 bits per channel, no colour key) are read here pixel by pixel: SDL's
// general blit between such formats takes about twice as long as decoding
// the file. Anything else goes through the blit.
bool readsAsRGBA(const SDL_Surface* surface)
{
    const SDL_PixelFormat* f = surface->format;
    return !f->palette && (f->BytesPerPixel == 3 || f->BytesPerPixel == 4) &&
           (surface->flags & (SDL_SRCCOLORKEY | SDL_RLEACCEL)) == 0 && f->Rloss == 0 && f->Gloss == 0 &&
           f->Bloss == 0 && (f->Amask == 0 || f->Aloss == 0) && f->Rmask && f->Gmask && f->Bmask;
}

void rowToRGBA(const SDL_Surface* surface, int y, Uint32* out)
{
    // The format is read once into locals: the stores through `out` could
    // otherwise alias it and reload every field at every pixel.
    const SDL_PixelFormat& f = *surface->format;
    const int bytes = f.BytesPerPixel, w = surface->w;
    const Uint32 rMask = f.Rmask, gMask = f.Gmask, bMask = f.Bmask, aMask = f.Amask;
    const Uint8 rShift = f.Rshift, gShift = f.Gshift, bShift = f.Bshift, aShift = f.Ashift;
    const Uint8* in = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    if (bytes == 3 && rMask == kRedMask && gMask == kGreenMask && bMask == kBlueMask) {
        // The JPEG decoder's layout: R, G, B bytes, already in the target's order.
        for (int x = 0; x < w; ++x, in += 3)
            out[x] = static_cast<Uint32>(in[0]) | static_cast<Uint32>(in[1]) << 8 | static_cast<Uint32>(in[2]) << 16 |
                     0xff000000u;
        return;
    }
    for (int x = 0; x < w; ++x, in += bytes) {
        const Uint32 pixel = readPixel(in, bytes);
        const Uint32 a = aMask ? (pixel & aMask) >> aShift : 0xffu;
        out[x] = (pixel & rMask) >> rShift | ((pixel & gMask) >> gShift) << 8 | ((pixel & bMask) >> bShift) << 16 |
                 a << 24;
    }
}

SDL_Surface* convertToRGBA(SDL_Surface* surface, int width, int height)
{
    if (!surface)
        return nullptr;
    SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE | SDL_SRCALPHA, width, height, 32, kRedMask, kGreenMask,
                                             kBlueMask, kAlphaMask);
    if (!rgba)
        return nullptr;

    // The copy is at most as large as the new surface (callers widen).
    if (readsAsRGBA(surface) && surface->w <= width && surface->h <= height) {
        const bool locked = SDL_MUSTLOCK(surface) != 0;
        if (!locked || SDL_LockSurface(surface) == 0) {
            for (int y = 0; y < surface->h; ++y)
                rowToRGBA(surface, y, reinterpret_cast<Uint32*>(static_cast<Uint8*>(rgba->pixels) + y * rgba->pitch));
            if (locked)
                SDL_UnlockSurface(surface);
            return rgba;
        }
    }

    // With SDL_SRCALPHA set on the source, SDL 1.2 blends it into the fresh
    // (all zero) copy: the copy's alpha stays 0 and the colours are scaled.
    // Without it, the blit copies RGBA (or writes opaque alpha for a source
    // without an alpha channel). Colour keys still apply, leaving keyed
    // pixels transparent. The caller's flags are put back afterwards.
    const bool hadSourceAlpha = (surface->flags & SDL_SRCALPHA) != 0;
    const bool hadRle = (surface->flags & SDL_RLEACCELOK) != 0;
    const Uint8 previousAlpha = surface->format->alpha;
    if (hadSourceAlpha)
        SDL_SetAlpha(surface, 0, SDL_ALPHA_OPAQUE);

    SDL_Rect target = {0, 0, 0, 0};
    const int blitResult = SDL_BlitSurface(surface, nullptr, rgba, &target);

    if (hadSourceAlpha)
        SDL_SetAlpha(surface, SDL_SRCALPHA | (hadRle ? SDL_RLEACCEL : 0), previousAlpha);

    if (blitResult < 0) {
        SDL_FreeSurface(rgba);
        return nullptr;
    }
    return rgba;
}

bool fitTextureSize(int& width, int& height, int format)
{
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    // No usable size: an empty surface, or no GL context to ask.
    if (width <= 0 || height <= 0 || maxSize <= 0) {
        width = 0;
        height = 0;
        return false;
    }

    bool clamped = false;
    if (width > maxSize || height > maxSize) {
        width = std::min(width, static_cast<int>(maxSize));
        height = std::min(height, static_cast<int>(maxSize));
        clamped = true;
    }
    if (proxyAccepts(width, height, format))
        return !clamped;

    width = nextPowerOfTwo(width, maxSize);
    height = nextPowerOfTwo(height, maxSize);
    if (!proxyAccepts(width, height, format)) {
        width = 0;
        height = 0;
    }
    return false;
}

int nextPowerOfTwo(int value, int max)
{
    // 64-bit so that values above 2^30 do not overflow before the cap.
    int64_t result = 1;
    while (result < value)
        result <<= 1;
    return static_cast<int>(std::min<int64_t>(result, max));
}
