#pragma once
// The labyrinth's walls, without a window: the alpha of the wall mask
// picture (opaque = corridor), placed on the screen with its top-left pixel
// at `origin`. A point is blocked when the mean alpha of the disc of radius
// `range` around it (every pixel (i, j) with i*i + j*j <= range*range,
// points off the mask counting 0) is at most `threshold`: a disc wholly off
// the mask is always blocked.
//
// walkTowards moves a point towards a target in steps of one pixel and
// stops before the first blocked step, so however far the target lies, the
// result never lies beyond a wall.
#include "engine/core/Types.h"

#include <cstdint>
#include <vector>

class LabyrinthMask {
public:
    LabyrinthMask() = default;
    // `alpha` holds width x height values row by row (fewer: the rest 0).
    LabyrinthMask(int width, int height, std::vector<uint8_t> alpha, Point origin, int range, int threshold);

    int getWidth() const { return width; }
    int getHeight() const { return height; }
    Point getOrigin() const { return origin; }
    // The alpha of the mask pixel under the screen point, or -1 off the mask.
    int alphaAt(int x, int y) const;
    // The number of pixels of the disc (1 for a range of 0).
    int discSize() const;
    bool isBlocked(int x, int y) const;
    // From `start` towards `target`: the last point before a blocked step,
    // the target itself (within a pixel) when nothing is in the way, the
    // start when it is blocked itself or the target is the start.
    Point walkTowards(Point start, Point target) const;

    // The point lies strictly within `tolerance` of the goal.
    static bool reachesGoal(Point point, Point goal, int tolerance);

private:
    int width = 0;
    int height = 0;
    std::vector<uint8_t> alpha;
    Point origin;
    int range = 0;
    int threshold = 0;
};
