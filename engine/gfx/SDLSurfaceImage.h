#pragma once
// An image held in an SDL surface, with per-pixel access and a drawing
// interface (SDLImageGraphics) for fills, blits and per-channel combining.
//
// Ownership: the image owns its surface (freed with SDL_FreeSurface) and its
// graphics object. An image without a surface is 0 x 0: every read gives
// (0, 0, 0, 0), every write is ignored and its graphics draw nothing.
#include "engine/gfx/Image.h"
#include <memory>
#include <string>

struct SDL_Surface;
class SDLImageGraphics;

class SDLSurfaceImage : public Image {
public:
    // Decodes the file (ImageFile::load: CMYK JPEGs converted, pictures
    // larger than the largest texture refused). When the file cannot be
    // decoded the image is left without a surface (0 x 0); IMG_GetError()
    // says why.
    explicit SDLSurfaceImage(const std::string& path);
    // No surface, 0 x 0.
    SDLSurfaceImage();
    // Takes ownership of `surface` (may be null).
    explicit SDLSurfaceImage(SDL_Surface* surface);
    // A new 32-bit surface with bytes R, G, B, A in memory (masks R 0xff,
    // G 0xff00, B 0xff0000, A 0xff000000), cleared to (0, 0, 0, 0).
    SDLSurfaceImage(int width, int height);
    ~SDLSurfaceImage() override;
    SDLSurfaceImage(const SDLSurfaceImage&) = delete;
    SDLSurfaceImage& operator=(const SDLSurfaceImage&) = delete;

    // An exact copy of the pixels, format, colour key and alpha settings in a
    // new surface; an empty image when this one has no surface.
    Image* clone() const override;
    // True when the pixel's alpha is 0 (so also outside the image).
    bool isTransparentAt(int x, int y) const override;
    // (0, 0, 0, 0) outside the image or without a surface.
    Color getPixel(int x, int y) const override;
    // Ignored outside the image or without a surface.
    void setPixel(int x, int y, Color c) override;
    ImageGraphics* graphics() override;

    // The surface (still owned by the image), or null.
    SDL_Surface* getSurface() const { return surface.get(); }

private:
    struct SurfaceDeleter {
        void operator()(SDL_Surface* s) const;
    };

    void adopt(SDL_Surface* s);

    std::unique_ptr<SDL_Surface, SurfaceDeleter> surface;
    std::unique_ptr<SDLImageGraphics> gfx;
};
