#pragma once
// A Graphics that draws nothing and writes every call it gets, one line each,
// into `calls`, so tests can check what was drawn and in which order.
#include "engine/gfx/Graphics.h"
#include <string>
#include <vector>

class RecordingGraphics : public Graphics {
public:
    std::vector<std::string> calls;

    void log(const std::string& s) { calls.push_back(s); }
    static std::string color(Color c)
    {
        return std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," + std::to_string(c.a);
    }

    void resetTransform() override { log("resetTransform"); }
    void clear() override { log("clear"); }
    void setup2D(int w, int h, int d) override { log("setup2D " + std::to_string(w) + "x" + std::to_string(h) + " " + std::to_string(d)); }
    void setup3D(int w, int h, int d) override { log("setup3D " + std::to_string(w) + "x" + std::to_string(h) + " " + std::to_string(d)); }
    void swapBuffers() override { log("swap"); }
    void fillRect(int x, int y, int w, int h, Color c) override
    {
        log("fillRect " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(w) + " " + std::to_string(h) + " " + color(c));
    }
    void drawRect(int, int, int, int, Color) override { log("drawRect"); }
    void drawImage(int x, int y, GLTexture*, Color c) override
    {
        log("drawImage " + std::to_string(x) + " " + std::to_string(y) + " " + color(c));
    }
    void drawImageScaled(int, int, int, int, GLTexture*, const Rect&, Color) override { log("drawImageScaled"); }
    void setBlending(bool) override {}
    void pushTransform() override { log("push"); }
    void popTransform() override { log("pop"); }
    void drawLine(PointF, PointF, float, bool, Color) override { log("drawLine"); }
    void setClipRect(int, int, int, int) override {}
    void enableClip(bool) override {}
    void translate(float x, float y) override { log("translate " + std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y))); }
    void rotate(float, float, float, float) override {}
    void scale(float, float) override {}
    void drawOutlineRect(int, int, GLTexture*, Color, int, float, int, int, const Rect&) override {}
    void drawTexturedOutlineRect(int, int, GLTexture*, GLTexture*, int, float, int, int, const Rect&) override {}
    void fillTriangle(PointF, PointF, PointF, Color) override {}
    void drawImageQuad(GLTexture*, PointF, PointF, PointF, PointF, const Rect&, Color) override {}
};
