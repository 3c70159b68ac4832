#pragma once
// A one-byte shown/hidden switch mixed into objects drawn by someone else
// (item renderers: the scene draws only visible ones). Visible at
// construction.
#include <cstdint>

class VisibilityDecorator {
public:
    void setVisible(bool on) { visible = on ? 1 : 0; }
    bool isVisible() const { return visible != 0; }

protected:
    uint8_t visible = 1;
};
