#pragma once
// A one-byte on/off switch mixed into widgets that can be frozen in place
// without leaving the widget manager's hit tests (DraggableImageWidget). It
// is separate from Widget's enabled flag, which hides a widget from the
// pointer altogether. On at construction.
#include <cstdint>

class EnablerDecorator {
public:
    void setDecoratorEnabled(bool on) { decoratorEnabled = on ? 1 : 0; }
    bool isDecoratorEnabled() const { return decoratorEnabled != 0; }

protected:
    uint8_t decoratorEnabled = 1;
};
