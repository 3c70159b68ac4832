#pragma once
// Textures painted in memory, pixel by pixel, for the tests that draw them
// or hit-test against their kept image. Uploading them needs a current GL
// context; building them does not.
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/SDLSurfaceImage.h"

#include <functional>
#include <memory>

// A w x h texture whose pixel (x, y) has the colour pixel(x, y).
inline std::unique_ptr<GLTexture> makeTexture(int w, int h, const std::function<Color(int, int)>& pixel)
{
    auto* image = new SDLSurfaceImage(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image->setPixel(x, y, pixel(x, y));
    return std::make_unique<GLTexture>(image);
}

// A w x h texture of one colour.
inline std::unique_ptr<GLTexture> solidTexture(int w, int h, Color c)
{
    return makeTexture(w, h, [c](int, int) { return c; });
}

// A 3 x 3 texture whose only opaque pixel is the red centre one.
inline std::unique_ptr<GLTexture> dotTexture()
{
    auto* image = new SDLSurfaceImage(3, 3);
    image->setPixel(1, 1, Color(255, 0, 0, 255));
    return std::make_unique<GLTexture>(image);
}
