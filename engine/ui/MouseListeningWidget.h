#pragma once
// Hands the presses, moves and releases it receives to a MouseListener.
// Every screen places one over its whole area to hear the pointer events
// that hit no other widget.
#include "engine/ui/Widget.h"

class MouseListener;

class MouseListeningWidget : public Widget {
public:
    // The listener is not owned and may be null.
    explicit MouseListeningWidget(MouseListener* listener);

    void onMousePress(MouseEvent* event) override;
    void onMouseMove(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;

private:
    MouseListener* listener;  // not owned
};
