#pragma once
// A BMP file read back with SDL_LoadBMP, for comparing written frames by pixel.
#include "engine/core/Types.h"
#include "tests/support/ColorText.h"  // describe(Color), for failure messages
#include <string>
#include <vector>

class BmpImage {
public:
    // Loads the file; ok() is false when SDL cannot read it.
    explicit BmpImage(const std::string& path);

    bool ok() const { return loaded; }
    int width() const { return w; }
    int height() const { return h; }
    // Colour (alpha 255) at x, y from the top-left; black outside.
    Color at(int x, int y) const;

private:
    bool loaded = false;
    int w = 0, h = 0;
    std::vector<Color> pixels;
};

// True when every channel differs by at most `tolerance`.
bool near(Color a, Color b, int tolerance = 2);
