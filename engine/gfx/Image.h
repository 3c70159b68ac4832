#pragma once
// Pixel buffers in main memory and the drawing interface on them.
#include "engine/core/Types.h"
#include <cstdint>

class ImageGraphics;

class Image {
public:
    virtual ~Image() = default;
    // A new, independent copy (owned by the caller), or null when the image
    // kind cannot be copied.
    virtual Image* clone() const = 0;
    virtual bool isTransparentAt(int x, int y) const = 0;
    // Outside the image: (0, 0, 0, 0) unless the image kind says otherwise.
    virtual Color getPixel(int x, int y) const = 0;
    // Outside the image: ignored.
    virtual void setPixel(int x, int y, Color c) = 0;
    // The image's drawing interface (owned by the image), or null.
    virtual ImageGraphics* graphics() { return nullptr; }

    int getWidth() const { return width; }
    int getHeight() const { return height; }

protected:
    int32_t width = 0;
    int32_t height = 0;
};

// Drawing on an image. Sources must be SDLSurfaceImages.
class ImageGraphics {
public:
    virtual ~ImageGraphics() = default;
    virtual void fillRect(int x, int y, int w, int h, Color c) = 0;
    virtual void blit(int x, int y, Image* source, const Rect& rect, bool useAlpha) = 0;
    virtual void combineRegion(int x, int y, Image* source, const Rect& rect,
                               bool r, bool g, bool b, bool a, bool replace, bool fast) = 0;
    virtual void copyChannels(int x, int y, Image* source, const Rect& rect,
                              bool r, bool g, bool b, bool a, bool replace) = 0;
};
