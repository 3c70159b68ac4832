#pragma once
// The line on the map from a location marker to its dot: a smooth white
// line 4 pixels wide from the end point to the start point, with the marker
// picture centred on the end point. It has no size and takes no input.
#include "engine/core/Types.h"
#include "engine/ui/Widget.h"

class GLTexture;

class LineWidget : public Widget {
public:
    // `marker` (not owned) is drawn at the end; null: the line alone.
    LineWidget(PointF start, PointF end, GLTexture* marker);

    void draw(Graphics& g, ScreenBase* screen) override;

    PointF getStart() const { return start; }
    PointF getEnd() const { return end; }

private:
    GLTexture* texture;  // not owned
    PointF end;
    PointF start;
};
