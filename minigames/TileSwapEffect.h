#pragma once
// The animation of a tile-swap game's exchange of two tiles. The effect
// moves the two TileWidgets' geometry and transform fields itself and tells
// the listener (TileSwapListener) started, commit and finished in that
// order. It is driven only by update(dt), so it keeps to frame time. Tiles
// and listener are not owned; the game owns the effect.
class TileSwapListener;
class TileWidget;

class TileSwapEffect {
public:
    virtual ~TileSwapEffect() = default;
    // Starts an exchange of tile A and tile B; a running one is dropped.
    virtual void start(TileWidget* a, TileWidget* b, TileSwapListener* listener) = 0;
    virtual void update(int dt) = 0;
};
