#pragma once
// An alpha-only image: one byte per pixel, row-major, for pixel-exact hit
// tests after the full picture is no longer needed. Colours read as black.
// Outside the image every pixel is opaque black (0, 0, 0, 255), so hit tests
// near a sprite's edge count as a hit rather than as a hole.
#include "engine/gfx/Image.h"
#include <cstdint>
#include <memory>

struct SDL_Surface;

class MinimalSurfaceImage : public Image {
public:
    // Reads the alpha channel of a 32-bit surface (not owned, not kept); a
    // surface without one reads as opaque. Any other surface, or null, gives
    // an empty 0 x 0 image and logs an error.
    explicit MinimalSurfaceImage(SDL_Surface* surface);
    // Takes a ready array of width x height alpha bytes.
    MinimalSurfaceImage(std::unique_ptr<uint8_t[]> alpha, int width, int height);
    ~MinimalSurfaceImage() override;
    MinimalSurfaceImage(const MinimalSurfaceImage&) = delete;
    MinimalSurfaceImage& operator=(const MinimalSurfaceImage&) = delete;

    // Not copyable through the Image interface: null.
    Image* clone() const override { return nullptr; }
    // True only inside the image where alpha is 0.
    bool isTransparentAt(int x, int y) const override;
    // Inside (0, 0, 0, alpha); outside (0, 0, 0, 255).
    Color getPixel(int x, int y) const override;
    // Inside: alpha = c.a; outside ignored.
    void setPixel(int x, int y, Color c) override;

private:
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    std::unique_ptr<uint8_t[]> alpha;
};
