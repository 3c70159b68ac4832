#pragma once
// A block of the sliding-block puzzle as a widget: it knows its top-left
// cell on a KlotskyGrid and glides to a new place in 300 ms (slideTo). What
// a block covers and where it may go is its subclass's (CustomKlotskyTile).
// The grid is not owned; the slide action is.
#include "engine/anim/ActionListener.h"
#include "engine/ui/Widget.h"

#include <memory>

class Action;
class KlotskyGrid;

class KlotskyTile : public Widget, public ActionListener {
public:
    static constexpr int SlideMs = 300;

    KlotskyTile(KlotskyGrid* grid, int row, int column);
    ~KlotskyTile() override;

    // The block could stand with its top-left cell at (row, column).
    virtual bool canMoveTo(int row, int column) const = 0;
    // Moves the block there on the grid when it may; returns whether it did.
    virtual bool occupy(int row, int column) = 0;
    // The cell lies under the block.
    virtual bool covers(int row, int column) const = 0;
    // Glides the widget's corner to (x, y) over SlideMs, dropping a slide
    // still running.
    virtual void slideTo(int x, int y);

    // Advances the slide.
    void update(int dt, ScreenBase* screen) override;
    // The slide's end needs nothing more.
    void onActionFinished(int32_t id) override;

    bool isSliding() const;
    int getRow() const { return row; }
    int getColumn() const { return column; }
    bool isMovable() const { return movable; }

protected:
    KlotskyGrid* grid;  // not owned
    int row;
    int column;
    bool movable = true;
    std::unique_ptr<Action> slideAction;
};
