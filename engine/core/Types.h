#pragma once
// Plain value records shared by every engine module.
#include <cstdint>

// Empty marker base of managers, widgets and actions. It holds no reference
// count: every object is deleted explicitly by its one owner.
class ReferenceCountable {
public:
    virtual ~ReferenceCountable() = default;
};

// Four bytes r, g, b, a.
struct Color {
    uint8_t r = 0, g = 0, b = 0, a = 0;
    constexpr Color() = default;
    constexpr Color(uint8_t r_, uint8_t g_, uint8_t b_, uint8_t a_ = 255) : r(r_), g(g_), b(b_), a(a_) {}
    bool operator==(const Color& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const Color& o) const { return !(*this == o); }

    static constexpr Color white() { return Color(255, 255, 255, 255); }
    static constexpr Color black() { return Color(0, 0, 0, 255); }
};

struct Point {
    int32_t x = 0, y = 0;
    constexpr Point() = default;
    constexpr Point(int32_t x_, int32_t y_) : x(x_), y(y_) {}
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
    bool operator!=(const Point& o) const { return !(*this == o); }
};

struct PointF {
    float x = 0.f, y = 0.f;
    constexpr PointF() = default;
    constexpr PointF(float x_, float y_) : x(x_), y(y_) {}
};

// A source rectangle in image pixels. Built from the corners (x1, y1, x2, y2)
// but stored as x1, x2, y1, y2; the drawn size is |x2 - x1| by |y2 - y1|.
struct Rect {
    float x1 = 0.f, x2 = 0.f, y1 = 0.f, y2 = 0.f;
    constexpr Rect() = default;
    constexpr Rect(float left, float top, float right, float bottom) : x1(left), x2(right), y1(top), y2(bottom) {}
    int width() const { return static_cast<int>(x2 > x1 ? x2 - x1 : x1 - x2); }
    int height() const { return static_cast<int>(y2 > y1 ? y2 - y1 : y1 - y2); }
};

struct Vec3 {
    float x = 0.f, y = 0.f, z = 0.f;
    constexpr Vec3() = default;
    constexpr Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
};

// Position, depth and size of a widget (also the text box of the fonts).
// z orders drawing and hit tests; a higher z is nearer the viewer.
struct WidgetGeometry {
    int32_t x = 0, y = 0, z = 0, w = 0, h = 0;
    constexpr WidgetGeometry() = default;
    constexpr WidgetGeometry(int32_t x_, int32_t y_, int32_t z_, int32_t w_, int32_t h_) : x(x_), y(y_), z(z_), w(w_), h(h_) {}
    bool contains(int32_t px, int32_t py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};
