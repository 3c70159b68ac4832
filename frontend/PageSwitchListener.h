#pragma once
// Told by a turning sheet of a book how its turn goes. Direction 0 is a turn
// towards the next pages, 1 towards the previous ones.
class PageSwitchListener {
public:
    virtual ~PageSwitchListener() = default;
    // The turn is over: the sheet lies on its new side.
    virtual void onTurnFinished(int direction) = 0;
    // The sheet has lifted off its side (the page below it shows).
    virtual void onTurnStarted(int direction) = 0;
    // The sheet is about to land (the page it covers no longer shows).
    virtual void onTurnEnding(int direction) = 0;
};
