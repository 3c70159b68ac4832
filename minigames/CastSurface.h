#pragma once
// The casting-spells drawing area: an invisible rectangle that records the
// pointer's path while a button is held. A press starts a stroke at the
// press; moves inside the rectangle add points; a release, or a move out of
// the rectangle, ends it. A stroke that cannot be compared (one point, or
// points that all coincide) is dropped without a word; any other is handed
// to the listener. While drawing is off the surface ignores the pointer.
#include "engine/ui/Widget.h"
#include "minigames/StrokeCurve.h"

class CastSurfaceListener;

class CastSurface : public Widget {
public:
    // The listener is not owned.
    CastSurface(const WidgetGeometry& area, CastSurfaceListener* listener);

    void onMousePress(MouseEvent* event) override;
    void onMouseMove(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;

    void setDrawingEnabled(bool on) { drawingEnabled = on; }
    bool isDrawingEnabled() const { return drawingEnabled; }
    bool isDrawing() const { return drawing; }
    const StrokeCurve& getStroke() const { return stroke; }

private:
    bool inside(int x, int y) const;
    void endStroke();

    CastSurfaceListener* listener;  // not owned
    StrokeCurve stroke;
    bool drawing = false;
    bool drawingEnabled = true;
};
