#include "minigames/CastSurface.h"

#include "engine/ui/InputEvents.h"
#include "minigames/CastSurfaceListener.h"

CastSurface::CastSurface(const WidgetGeometry& area, CastSurfaceListener* surfaceListener)
    : listener(surfaceListener)
{
    geometry = area;
}

bool CastSurface::inside(int x, int y) const
{
    return x >= geometry.x && x < geometry.x + geometry.w && y >= geometry.y && y < geometry.y + geometry.h;
}

void CastSurface::onMousePress(MouseEvent* event)
{
    if (!drawingEnabled || !event)
        return;
    drawing = true;
    stroke.clear();
    stroke.addPoint(event->x, event->y);
    if (listener)
        listener->onStrokePoint(event->x, event->y);
}

void CastSurface::onMouseMove(MouseEvent* event)
{
    if (!drawingEnabled || !drawing || !event)
        return;
    // Leaving the area ends the stroke where it left.
    if (!inside(event->x, event->y)) {
        endStroke();
        return;
    }
    stroke.addPoint(event->x, event->y);
    if (listener)
        listener->onStrokePoint(event->x, event->y);
}

void CastSurface::onMouseRelease(MouseEvent*)
{
    if (!drawingEnabled || !drawing)
        return;
    endStroke();
}

void CastSurface::endStroke()
{
    drawing = false;
    if (stroke.resample() && listener)
        listener->onStrokeFinished(stroke);
}
