#include "tests/app/BmpImage.h"

#include <SDL.h>
#include <cstdlib>

BmpImage::BmpImage(const std::string& path)
{
    SDL_Surface* surface = SDL_LoadBMP(path.c_str());
    if (!surface)
        return;
    w = surface->w;
    h = surface->h;
    pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
    SDL_LockSurface(surface);
    const int bpp = surface->format->BytesPerPixel;
    for (int y = 0; y < h; ++y) {
        const Uint8* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < w; ++x) {
            const Uint8* p = row + x * bpp;
            Uint32 value = 0;
            for (int i = 0; i < bpp; ++i)
                value |= static_cast<Uint32>(p[i]) << (8 * i);  // BMP data is little-endian
            Uint8 r = 0, g = 0, b = 0;
            SDL_GetRGB(value, surface->format, &r, &g, &b);
            pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] = Color(r, g, b);
        }
    }
    SDL_UnlockSurface(surface);
    SDL_FreeSurface(surface);
    loaded = true;
}

Color BmpImage::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= w || y >= h)
        return Color::black();
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
}

bool near(Color a, Color b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

