#pragma once
// Receiver of the mouse events that a MouseListeningWidget catches. Every
// screen gets, through its screen-wide catcher, the events that hit no other
// widget. The records belong to the caller and live for the call only.
struct MouseEvent;

class MouseListener {
public:
    virtual ~MouseListener() = default;
    virtual void onMousePressed(MouseEvent* event) = 0;
    virtual void onMouseMoved(MouseEvent* event) = 0;
    virtual void onMouseReleased(MouseEvent* event) = 0;
};
