#include "engine/gfx/SDLSurfaceImage.h"

#include "engine/gfx/ImageFile.h"
#include "engine/gfx/SDLImageGraphics.h"

#include <SDL.h>
#include <cstring>

namespace {

// Locks the surface for the lifetime of the guard when SDL requires it.
class SurfaceLock {
public:
    explicit SurfaceLock(SDL_Surface* s) : surface(SDL_MUSTLOCK(s) ? s : nullptr)
    {
        if (surface && SDL_LockSurface(surface) != 0)
            surface = nullptr;
    }
    ~SurfaceLock()
    {
        if (surface)
            SDL_UnlockSurface(surface);
    }
    SurfaceLock(const SurfaceLock&) = delete;
    SurfaceLock& operator=(const SurfaceLock&) = delete;

private:
    SDL_Surface* surface;
};

bool insideSurface(const SDL_Surface* s, int x, int y)
{
    return s && x >= 0 && y >= 0 && x < s->w && y < s->h;
}

} // namespace

void SDLSurfaceImage::SurfaceDeleter::operator()(SDL_Surface* s) const
{
    SDL_FreeSurface(s);
}

SDLSurfaceImage::SDLSurfaceImage() : gfx(std::make_unique<SDLImageGraphics>(this)) {}

SDLSurfaceImage::SDLSurfaceImage(const std::string& path) : SDLSurfaceImage()
{
    adopt(ImageFile::load(path));
}

SDLSurfaceImage::SDLSurfaceImage(SDL_Surface* s) : SDLSurfaceImage()
{
    adopt(s);
}

SDLSurfaceImage::SDLSurfaceImage(int w, int h) : SDLSurfaceImage()
{
    if (w <= 0 || h <= 0)
        return;
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x000000ffu, 0x0000ff00u, 0x00ff0000u, 0xff000000u);
    if (s)
        SDL_FillRect(s, nullptr, 0);
    adopt(s);
}

SDLSurfaceImage::~SDLSurfaceImage() = default;

void SDLSurfaceImage::adopt(SDL_Surface* s)
{
    surface.reset(s);
    width = s ? s->w : 0;
    height = s ? s->h : 0;
}

Image* SDLSurfaceImage::clone() const
{
    SDL_Surface* src = surface.get();
    if (!src)
        return new SDLSurfaceImage();

    const SDL_PixelFormat* f = src->format;
    SDL_Surface* copy = SDL_CreateRGBSurface(src->flags & (SDL_SWSURFACE | SDL_SRCALPHA | SDL_SRCCOLORKEY), src->w,
                                             src->h, f->BitsPerPixel, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    if (!copy)
        return new SDLSurfaceImage();

    // A blit would blend per-pixel alpha into the (transparent) copy or map
    // through two palettes; copying the bytes keeps the pixels exact.
    if (f->palette && copy->format->palette) {
        std::memcpy(copy->format->palette->colors, f->palette->colors,
                    sizeof(SDL_Color) * static_cast<size_t>(f->palette->ncolors));
        copy->format->palette->ncolors = f->palette->ncolors;
    }
    {
        SurfaceLock lockSrc(src);
        SurfaceLock lockCopy(copy);
        const size_t rowBytes = static_cast<size_t>(src->w) * f->BytesPerPixel;
        for (int y = 0; y < src->h; ++y)
            std::memcpy(static_cast<uint8_t*>(copy->pixels) + y * copy->pitch,
                        static_cast<const uint8_t*>(src->pixels) + y * src->pitch, rowBytes);
    }
    if (src->flags & SDL_SRCCOLORKEY)
        SDL_SetColorKey(copy, SDL_SRCCOLORKEY, f->colorkey);
    SDL_SetAlpha(copy, src->flags & SDL_SRCALPHA, f->alpha);
    return new SDLSurfaceImage(copy);
}

bool SDLSurfaceImage::isTransparentAt(int x, int y) const
{
    return getPixel(x, y).a == 0;
}

Color SDLSurfaceImage::getPixel(int x, int y) const
{
    SDL_Surface* s = surface.get();
    if (!insideSurface(s, x, y))
        return Color(0, 0, 0, 0);

    SurfaceLock lock(s);
    const int bpp = s->format->BytesPerPixel;
    const uint8_t* p = static_cast<const uint8_t*>(s->pixels) + y * s->pitch + x * bpp;
    Uint32 pixel = 0;
    switch (bpp) {
    case 1: pixel = *p; break;
    case 2: pixel = *reinterpret_cast<const Uint16*>(p); break;
    case 3: pixel = static_cast<Uint32>(p[0]) | (static_cast<Uint32>(p[1]) << 8) | (static_cast<Uint32>(p[2]) << 16); break;
    case 4: pixel = *reinterpret_cast<const Uint32*>(p); break;
    default: pixel = 0; break;
    }
    Color c;
    SDL_GetRGBA(pixel, s->format, &c.r, &c.g, &c.b, &c.a);
    return c;
}

void SDLSurfaceImage::setPixel(int x, int y, Color c)
{
    SDL_Surface* s = surface.get();
    if (!insideSurface(s, x, y))
        return;

    const Uint32 pixel = SDL_MapRGBA(s->format, c.r, c.g, c.b, c.a);
    SurfaceLock lock(s);
    const int bpp = s->format->BytesPerPixel;
    uint8_t* p = static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * bpp;
    switch (bpp) {
    case 1: *p = static_cast<uint8_t>(pixel); break;
    case 2: *reinterpret_cast<Uint16*>(p) = static_cast<Uint16>(pixel); break;
    case 3:
        p[0] = static_cast<uint8_t>(pixel);
        p[1] = static_cast<uint8_t>(pixel >> 8);
        p[2] = static_cast<uint8_t>(pixel >> 16);
        break;
    case 4: *reinterpret_cast<Uint32*>(p) = pixel; break;
    default: break;
    }
}

ImageGraphics* SDLSurfaceImage::graphics()
{
    return gfx.get();
}
