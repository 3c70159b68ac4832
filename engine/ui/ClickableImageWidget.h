#pragma once
// A picture that reports presses and releases to a SimpleButtonListener by
// its id: (id, 0) on a press, (id, 1) on a release. With the alpha test on,
// only the picture's non-transparent pixels take the pointer.
#include "engine/ui/ImageWidget.h"
#include <cstdint>

class SimpleButtonListener;

class ClickableImageWidget : public ImageWidget {
public:
    // The listener is not owned and may be null.
    ClickableImageWidget(GLTexture* texture, int x, int y, SimpleButtonListener* listener, int id,
                         bool alphaTest = false);

    void onMousePress(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;
    // Without the alpha test: the rectangle. With it: the point must lie on
    // the picture and its pixel in the texture's kept image must have a
    // non-zero alpha; without a texture or a kept image nothing is hit.
    bool hitTest(int x, int y) override;

    void setListener(SimpleButtonListener* l) { listener = l; }
    void setAlphaTest(bool on) { alphaTest = on ? 1 : 0; }
    bool hasAlphaTest() const { return alphaTest != 0; }
    int getId() const { return id; }

protected:
    SimpleButtonListener* listener;  // not owned
    int32_t id;
    uint8_t alphaTest;
};
