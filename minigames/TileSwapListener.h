#pragma once
// Told by a TileSwapEffect how the exchange of two tiles goes, each call
// with tile A's and tile B's ids, always in this order: started, commit (the
// tiles have reached each other's places and now change slots), finished
// (the animation is over).
class TileSwapListener {
public:
    virtual ~TileSwapListener() = default;
    virtual void onSwapStarted(int idA, int idB) = 0;
    virtual void onSwapCommit(int idA, int idB) = 0;
    virtual void onSwapFinished(int idA, int idB) = 0;
};
