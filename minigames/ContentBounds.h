#pragma once
// Checks on the numbers that the minigames read from their tuning keys and
// description files: counts that size a loop or an allocation (slots,
// pieces, holes, dials, rows, a disc's radius), and values that must lie in
// a range for the puzzle to be played (a place on the screen, an answer). A
// number out of its range gives one error line naming the file, the key and
// the value, and the caller's fallback; the same line is printed once a run,
// however often the content is read again.
#include <string>

class ContentBounds {
public:
    // The fixed layout every minigame is placed in: points on the screen
    // have 0 <= x < LayoutWidth and 0 <= y < LayoutHeight.
    static constexpr int LayoutWidth = 1024;
    static constexpr int LayoutHeight = 768;

    // `value` when 0 <= value <= max; otherwise 0 (the content is refused)
    // with the line.
    static int count(int value, int max, const std::string& file, const std::string& key);
    // `value` when lo <= value <= hi; otherwise the nearer end, with the line.
    static int clamped(int value, int lo, int hi, const std::string& file, const std::string& key);
    // Whether lo <= value <= hi; otherwise false with the line, which ends in
    // `instead` (what the caller does about it: "the sign is left out").
    static bool inRange(int value, int lo, int hi, const std::string& file, const std::string& key,
                        const std::string& instead);
    // Whether the point lies on the screen (see LayoutWidth); otherwise
    // false with the line for its first coordinate off it (`key` + ".x" or
    // ".y").
    static bool onScreen(int x, int y, const std::string& file, const std::string& key, const std::string& instead);
};
