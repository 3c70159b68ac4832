#include "engine/gfx/MinimalSurfaceImage.h"

#include "engine/core/Log.h"

#include <SDL.h>

MinimalSurfaceImage::MinimalSurfaceImage(SDL_Surface* surface)
{
    if (!surface || surface->format->BytesPerPixel != 4) {
        logError("MinimalSurfaceImage: needs a 32-bit surface, got " +
                 std::string(surface ? std::to_string(surface->format->BitsPerPixel) + "-bit" : "none"));
        return;
    }
    const SDL_PixelFormat* f = surface->format;
    const bool locked = SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) == 0;
    alpha = std::make_unique<uint8_t[]>(static_cast<size_t>(surface->w) * static_cast<size_t>(surface->h));
    for (int y = 0; y < surface->h; ++y) {
        // Rows are read by the pitch: SDL may pad them.
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch);
        uint8_t* out = alpha.get() + static_cast<size_t>(y) * static_cast<size_t>(surface->w);
        for (int x = 0; x < surface->w; ++x)
            out[x] = f->Amask ? static_cast<uint8_t>((row[x] & f->Amask) >> f->Ashift) : 255;
    }
    if (locked)
        SDL_UnlockSurface(surface);
    width = surface->w;
    height = surface->h;
}

MinimalSurfaceImage::MinimalSurfaceImage(std::unique_ptr<uint8_t[]> alphaBytes, int w, int h)
    : alpha(std::move(alphaBytes))
{
    if (alpha && w > 0 && h > 0) {
        width = w;
        height = h;
    } else {
        alpha.reset();
    }
}

MinimalSurfaceImage::~MinimalSurfaceImage() = default;

bool MinimalSurfaceImage::isTransparentAt(int x, int y) const
{
    return inside(x, y) && alpha[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] == 0;
}

Color MinimalSurfaceImage::getPixel(int x, int y) const
{
    if (!inside(x, y))
        return Color(0, 0, 0, 255);
    return Color(0, 0, 0, alpha[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]);
}

void MinimalSurfaceImage::setPixel(int x, int y, Color c)
{
    if (inside(x, y))
        alpha[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = c.a;
}
