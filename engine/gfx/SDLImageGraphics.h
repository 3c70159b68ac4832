#pragma once
// Drawing on the surface of an SDLSurfaceImage. Sources must be
// SDLSurfaceImages with a surface; any other source makes a call do nothing.
// Rectangles are clipped to both images.
#include "engine/gfx/Image.h"

class SDLSurfaceImage;

class SDLImageGraphics : public ImageGraphics {
public:
    // `target` is the image this object draws on (not owned; it owns us).
    explicit SDLImageGraphics(SDLSurfaceImage* target);
    SDLImageGraphics(const SDLImageGraphics&) = delete;
    SDLImageGraphics& operator=(const SDLImageGraphics&) = delete;

    void fillRect(int x, int y, int w, int h, Color c) override;
    // Blits the source rectangle to (x, y): alpha-blended when useAlpha, else
    // copying every channel including alpha. Leaves the source's alpha mode
    // set accordingly (per-surface alpha 255).
    void blit(int x, int y, Image* source, const Rect& rect, bool useAlpha) override;
    // Both images 32-bit, otherwise nothing happens. For each pixel of the
    // region and each channel whose flag is set:
    //  - fast clear:    target = max(target - source, 0)
    //  - fast set:      target = 0
    //  - replace set:   target = source
    //  - otherwise:     target = min(target + source, 255)
    // Other channels keep their value. A negative x (or y) moves the source
    // rectangle right (down) by the same amount and starts at 0.
    void combineRegion(int x, int y, Image* source, const Rect& rect,
                       bool r, bool g, bool b, bool a, bool replace, bool fast) override;
    // Both images 32-bit, otherwise nothing happens: target = source when
    // replace, else min(target + source, 255), for each flagged channel.
    void copyChannels(int x, int y, Image* source, const Rect& rect,
                      bool r, bool g, bool b, bool a, bool replace) override;

private:
    SDLSurfaceImage* target;  // not owned
};
