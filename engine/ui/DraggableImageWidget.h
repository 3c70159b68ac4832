#pragma once
// A picture the user drags: a press grabs it (raising it above the others
// unless keep-z is set) and reports (id, 0); while the button is held it
// follows the pointer, keeping the grab offset; the release drops it and
// reports (id, 4). Only the picture's non-transparent pixels take the
// pointer. While the EnablerDecorator switch is off it neither starts nor
// follows a drag and reports nothing (it still takes the pointer).
// A picture that failed to load (pictureFailed) is replaced by a stand-in box
// of the missing-picture size that takes the pointer anywhere, so the piece
// can still be seen and moved.
// The listener is called last, so it may take the image off its screen
// (ScreenBase::safeRemoveWidget) or add widgets.
#include "engine/ui/EnablerDecorator.h"
#include "engine/ui/ImageWidget.h"
#include <cstdint>

class SimpleButtonListener;

class DraggableImageWidget : public ImageWidget, public EnablerDecorator {
public:
    // Geometry {x, y, 0, picture width, picture height}. Image and listener
    // are not owned.
    DraggableImageWidget(GLTexture* image, SimpleButtonListener* listener, int id, int x, int y);

    void onMousePress(MouseEvent* event) override;
    void onMouseMove(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    // Inside the rectangle and on a non-transparent pixel of the picture's
    // kept image; a texture that keeps no image is never hit.
    bool hitTest(int x, int y) override;

    // When set, a press does not raise the image.
    void setKeepZ(bool on) { keepZ = on; }
    bool isDragging() const { return dragging; }
    int getId() const { return id; }

protected:
    bool dragging = false;
    int32_t grabX = 0;
    int32_t grabY = 0;
    SimpleButtonListener* listener;  // not owned
    int32_t id;
    bool keepZ = false;
};
