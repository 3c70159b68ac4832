#pragma once
// A squirrel of the whack-a-mole game, resting invisible behind its hole
// picture. When shown it slides out sideways while fading in, waits, and
// slides back (SquirrelMotion), perhaps holding a necklace piece at its
// paw. Reports to its listener's onButton: (id, 0) when pressed on one of
// its visible pixels or on the piece it holds, and (id, BackState) when it
// is back in its hole.
//
// A mirrored squirrel is drawn flipped about its picture's centre and hit
// tested the same way. Its paw (the anchor the piece is centred on) is at
// (width, 0.6 height) when mirrored, else at (0, 0.6 height).
//
// Time reaches the appearance only while the run flag is on: the game turns
// it off while a frame message is open, and the squirrel stands still.
#include "engine/ui/ClickableImageWidget.h"
#include "minigames/SquirrelMotion.h"

class NeklacePiece;

class SquirrelWidget : public ClickableImageWidget {
public:
    // The state reported with the id when the squirrel is back.
    static constexpr int BackState = 100;

    // At (x, y), its resting place; the appearance moves it by `distance`
    // horizontally. Listener not owned.
    SquirrelWidget(GLTexture* texture, int x, int y, SimpleButtonListener* listener, int id, bool mirrored,
                   int moveMs, int delayMs, int distance);

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    // False while invisible; the picture's pixels (mirrored like the
    // drawing), else the carried piece's pixels.
    bool hitTest(int x, int y) override;

    // Starts the appearance from the resting place, carrying `piece` (not
    // owned, may be null), which turns invisible and sits at the paw.
    void show(NeklacePiece* piece);
    // Lets go of the piece it carries (if any).
    void dropPiece() { carried = nullptr; }
    void setRunning(bool on) { running = on; }

    bool isRunning() const { return running; }
    bool isOut() const { return motion.isRunning(); }
    bool isMirrored() const { return mirrored; }
    NeklacePiece* getCarried() const { return carried; }
    const SquirrelMotion& getMotion() const { return motion; }
    Point anchor() const;

private:
    // Position, alpha and the piece after the motion.
    void follow();

    int restX;
    bool mirrored;
    bool running = true;
    SquirrelMotion motion;
    NeklacePiece* carried = nullptr;  // not owned
};
