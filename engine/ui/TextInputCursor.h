#pragma once
// The caret object of a TextInputWidget (for example a blinking bar). The
// field owns it, tells it where the character at the caret lies (in the
// field's own coordinates) after every change, and draws and updates it
// while focused. The base stores the rectangle and otherwise does nothing.
#include "engine/core/Types.h"

class Graphics;

class TextInputCursor {
public:
    TextInputCursor() = default;
    virtual ~TextInputCursor() = default;
    TextInputCursor(const TextInputCursor&) = delete;
    TextInputCursor& operator=(const TextInputCursor&) = delete;

    // Stores the caret rectangle {x, y, 0, w, h}, then reset(): a caret that
    // moved starts its blinking afresh.
    virtual void setRect(const WidgetGeometry& caretRect)
    {
        rect = caretRect;
        reset();
    }
    // Restarts whatever animation the caret has.
    virtual void reset() {}
    // In the field's coordinates (the field's draw has translated to it).
    virtual void draw(Graphics& /*g*/) {}
    // Elapsed milliseconds of the frame.
    virtual void update(int /*dt*/) {}

    // The same as setRect.
    void place(const WidgetGeometry& caretRect) { setRect(caretRect); }
    const WidgetGeometry& getRect() const { return rect; }

protected:
    WidgetGeometry rect;
};
