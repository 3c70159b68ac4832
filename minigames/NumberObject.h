#pragma once
// One number tile of the sum-the-numbers game: a picture that reports its
// presses (event 0) and releases (event 1) to the game by its tile id, and
// moves to a new place by shrinking away (300 ms), jumping there and growing
// back (300 ms), drawn scaled about its middle. When a movement ends the
// tile tells the game (MgSumTheNumbers::onTileArrived). The texture is not
// owned; the movement is.
#include "engine/anim/ActionListener.h"
#include "engine/ui/ImageWidget.h"

#include <memory>

class Action;
class MgSumTheNumbers;
class QuarnButtonListener;

class NumberObject : public ImageWidget, public ActionListener {
public:
    // Each half of a movement, ms.
    static constexpr int ShrinkMs = 300;

    // At `start`, sized to the picture. The listener and the game are not
    // owned (the game owns the tile through its widget list).
    NumberObject(GLTexture* image, QuarnButtonListener* listener, Point start, int tileId, MgSumTheNumbers* game);
    ~NumberObject() override;

    // Drops a movement under way (and its target) and moves to `target`
    // instead, shrinking from the size it has; the tint turns opaque white.
    void moveTo(Point target);
    bool isMoving() const;

    // Advances the movement.
    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    void onMousePress(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;
    // The movement's end: full size again, the game is told.
    void onActionFinished(int32_t id) override;

    int getTileId() const { return tileId; }
    float getScale() const { return scale; }

private:
    int tileId;
    float scale = 1.f;
    QuarnButtonListener* listener;  // not owned
    MgSumTheNumbers* game;          // not owned
    std::unique_ptr<Action> movement;
};
