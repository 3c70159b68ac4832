#pragma once
// The pure state of the face-drawing puzzle (MgFaceDrawing): which stars
// are joined and which one shows red. Stars are joined in their order: the
// first taken is star 0, then each next one joins the line. A star taken
// out of turn (beyond the next one) turns red until the pointer lets go of
// it or moves on (release); a star already joined changes nothing. The
// puzzle is solved when the last star is joined.
class StarChain {
public:
    // What taking a star did.
    enum class Take { Nothing, Wrong, First, Joined };

    StarChain() = default;
    // Negative counts are taken as 0 (nothing can be taken).
    explicit StarChain(int starCount);

    Take take(int star);
    // The red star (if any) turns normal again; lastWrong keeps its value.
    void release();

    int size() const { return count; }
    int getLastConnected() const { return lastConnected; }
    int getLastWrong() const { return lastWrong; }
    // The star that shows red now, or -1.
    int getRed() const { return red; }
    bool isJoined(int star) const { return star >= 0 && star <= lastConnected; }
    // The last star joined; false without stars.
    bool isSolved() const { return count > 0 && lastConnected == count - 1; }

private:
    int count = 0;
    int lastConnected = -1;
    int lastWrong = -1;
    int red = -1;
};
