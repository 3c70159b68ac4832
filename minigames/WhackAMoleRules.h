#pragma once
// The pure state of the whack-a-mole game (MgWhackAMole): the squirrel
// timer, which squirrel comes out next with which necklace piece, and what
// becomes of the pieces. No widgets, no window: time is what the screen
// feeds in, random numbers come from an injected source.
//
// The timer waits a random interval (Min + random(Max - Min) ms; just Min
// when Max does not exceed Min) and is armed again only when a squirrel is
// back in its hole, so one squirrel at most is out at a time. When it
// expires, a squirrel that is not out and is not the last one that came out
// is chosen at random; with none the timer stays unarmed (a single hole
// gives one appearance only). The chosen squirrel carries a free piece,
// chosen at random, while any is left.
//
// Piece states: Free (0), Collected (1), Carried (2: by a squirrel, or
// flying to its slot after a hit).
#include <functional>
#include <vector>

class WhackAMoleRules {
public:
    // Returns a number in [0, n) for n >= 1 (randomBelow in the game).
    using Random = std::function<int(int n)>;
    enum PieceState : int { Free = 0, Collected = 1, Carried = 2 };

    // What a timer expiry brought out; squirrel -1 when nothing came out.
    struct Appearance {
        int squirrel = -1;
        int piece = -1;
    };

    WhackAMoleRules() = default;
    // Negative counts are taken as 0. The timer is not armed yet.
    WhackAMoleRules(int pieceCount, int squirrelCount, int minIntervalMs, int maxIntervalMs, Random random);

    // The next waiting time: Min + random(Max - Min), or Min when Max <= Min;
    // never negative.
    int drawInterval();
    // Arms the timer with a new interval.
    void armTimer();
    // Feeds `dt` ms to an armed timer; true when it ran out in this call
    // (it is then unarmed). An unarmed timer ignores time.
    bool advanceTimer(int dt);
    bool isTimerArmed() const { return timerArmed; }
    int getTimerLength() const { return timerLength; }
    int getTimerElapsed() const { return timerElapsed; }

    // The squirrels that may come out now: not out, and not the last one.
    std::vector<int> candidates() const;
    bool isCandidate(int k) const;
    // The expiry: a random candidate comes out, carrying a random free
    // piece (or none); it becomes the last squirrel.
    Appearance chooseAppearance();

    // Squirrel k was clicked: returns the piece it carried (now flying to
    // its slot, still Carried) or -1; it carries nothing afterwards.
    int hitSquirrel(int k);
    // Squirrel k is back in its hole: a piece it still carries is free
    // again.
    void squirrelBack(int k);
    // Piece s has arrived in its slot; true when every piece is collected.
    bool pieceArrived(int s);

    bool isOut(int k) const;
    // The piece squirrel k carries, or -1.
    int carriedBy(int k) const;
    int pieceState(int s) const;
    int getLastSquirrel() const { return lastSquirrel; }
    int pieceCount() const { return static_cast<int>(pieces.size()); }
    int squirrelCount() const { return static_cast<int>(out.size()); }
    // Every piece collected; false without pieces (nothing to win).
    bool allCollected() const;

private:
    int randomBelow(int n) const;

    Random random;
    int minInterval = 0;
    int maxInterval = 0;
    bool timerArmed = false;
    int timerLength = 0;
    int timerElapsed = 0;
    int lastSquirrel = -1;
    std::vector<int> pieces;    // PieceState by slot
    std::vector<bool> out;      // by squirrel
    std::vector<int> carrying;  // piece by squirrel, -1 none
};
