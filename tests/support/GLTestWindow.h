#pragma once
// Opens an SDL 1.2 OpenGL window (1024x768, 8-bit stencil, double buffer) for
// tests that draw and read pixels back. Run these tests under Xvfb
// (scripts/with-xvfb.sh). Pixel coordinates are window coordinates with the
// origin at the top-left, like the renderer's.
#include "engine/core/Types.h"
#include <string>

class GLTestWindow {
public:
    GLTestWindow(int width = 1024, int height = 768);
    ~GLTestWindow();
    GLTestWindow(const GLTestWindow&) = delete;
    GLTestWindow& operator=(const GLTestWindow&) = delete;

    bool ok() const { return opened; }
    const std::string& error() const { return errorText; }
    int width() const { return w; }
    int height() const { return h; }

    // Reads one pixel of the back buffer (call after drawing, before a swap).
    Color readPixel(int x, int y) const;
    // Writes the back buffer, upright, as a BMP named `name` into $APPDATA
    // (the test build's folder), for looking at. Returns false when it could
    // not be written; does nothing (true) without $APPDATA.
    bool saveScreenshot(const std::string& name) const;

private:
    bool opened = false;
    std::string errorText;
    int w, h;
};
