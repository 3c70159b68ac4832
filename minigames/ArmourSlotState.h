#pragma once
// The rules of one armour slot of the collect-armour game, without widgets:
// which of its parts were collected (in order), whether it can be dragged,
// the drag, and the drop test against its target.
//
// A slot becomes draggable once all PartsPerSlot parts are collected. A
// drop ends a drag: when the slot's corner lies within the target window
// (isInTarget) the slot is placed for good (and no longer draggable),
// otherwise it goes back home. A release without a drag places nothing,
// wherever the slot's home lies.
#include "engine/core/Types.h"

#include <string>
#include <vector>

class ArmourSlotState {
public:
    static constexpr int PartsPerSlot = 3;
    enum Drop { NoDrag, Placed, BackHome };

    ArmourSlotState(Point start, Point end);

    // Part `partIndex` (0 ... PartsPerSlot - 1) was collected; false, with
    // nothing changed, for another index or one collected before.
    bool collect(int partIndex);
    // A press: starts a drag when the slot is draggable.
    bool startDrag();
    // The release with the slot's corner at `corner`; w and h are the size
    // of the finished item.
    Drop release(Point corner, int w, int h);

    // Whether `corner` lies in the window [end - size / 2, end - size / 2 +
    // size) on both axes (the half truncated toward zero).
    static bool isInTarget(Point corner, Point end, int w, int h);

    Point getStart() const { return start; }
    Point getEnd() const { return end; }
    const std::vector<int>& getCollected() const { return collected; }
    bool isDraggable() const { return draggable; }
    bool isDragging() const { return dragging; }
    bool isPlaced() const { return placed; }

    // "2" collected parts, "D" draggable, "P" placed, e.g. "3D".
    std::string describe() const;

private:
    Point start;
    Point end;
    std::vector<int> collected;
    bool draggable = false;
    bool dragging = false;
    bool placed = false;
};
