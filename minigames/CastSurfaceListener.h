#pragma once
// Hears a CastSurface: every point the stroke passes (to paint it), and the
// stroke when it ends (to judge it).
class StrokeCurve;

class CastSurfaceListener {
public:
    virtual ~CastSurfaceListener() = default;
    // The stroke is resampled and belongs to the surface; it lives until
    // the next stroke begins.
    virtual void onStrokeFinished(const StrokeCurve& stroke) = 0;
    virtual void onStrokePoint(int x, int y) = 0;
};
