#pragma once
// The pure state of the zodiac-signs puzzle (MgZodiacSigns): where each
// sign lies, its starting place and its own place in the sky, which signs
// are placed, and the snap rule. No widgets, no window.
//
// A sign dropped with its top-left corner at a point snaps to the first
// final place in file order that lies within reach (the distance, truncated
// to an int, below the sensitivity) and that no other sign holds (lies on
// exactly, at truncated distance 0). Only its own final place makes it
// placed; on another sign's place it stays unplaced and can be picked
// again. Without a free place in reach it goes back to its start.
//
// The glow and return times are program-wide: every zodiac game reads its
// own keys into them, and a game whose "GlowFadeTime" is missing keeps the
// value the last one set (0 at first); a missing "TranslateTime" takes the
// glow time.
#include "engine/core/Types.h"

#include <optional>
#include <vector>

class ZodiacBoard {
public:
    ZodiacBoard() = default;
    // One sign per start place; `finals` holds each sign's own place (same
    // index). Every sign starts at its start place, unplaced.
    ZodiacBoard(std::vector<Point> inits, std::vector<Point> finals, int sensitivity);

    // Where a drop ended.
    struct Drop {
        // The final place snapped to, or -1 (back to the start).
        int place = -1;
        bool placed = false;
    };

    int size() const { return static_cast<int>(positions.size()); }
    int getSensitivity() const { return sensitivity; }
    Point position(int sign) const;
    Point init(int sign) const;
    Point final(int sign) const;
    bool isPlaced(int sign) const;
    // Every sign placed; false without signs (nothing to solve).
    bool allPlaced() const;

    // A dragged sign's corner (no limits).
    void moveTo(int sign, Point at);
    // The place a sign dropped at `at` snaps to, or -1.
    int snapTarget(int sign, Point at) const;
    // Whether a sign other than `except` lies exactly on final place `place`.
    bool isHeld(int place, int except) const;
    // Drops the sign at `at`: it snaps (and is placed on its own place) or
    // goes back to its start. A placed sign or an index outside the board
    // does nothing.
    Drop drop(int sign, Point at);

    // The distance between two corners, truncated.
    static int truncDistance(Point a, Point b);

    // Reads a game's timing keys (nullopt: the key is missing).
    static void setTiming(std::optional<int> glowFadeMs, std::optional<int> translateMs);
    static int glowFadeTime() { return glowFadeMs; }
    static int translateTime() { return translateMs; }

private:
    static int glowFadeMs;
    static int translateMs;

    std::vector<Point> inits;
    std::vector<Point> finals;
    std::vector<Point> positions;
    std::vector<bool> placed;
    int sensitivity = 0;
};
