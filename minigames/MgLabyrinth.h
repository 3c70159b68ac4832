#pragma once
// The ball maze minigame (quests 43 and 72): the player drags a ball
// through a maze picture. The walls are the transparent parts of a mask
// picture (LabyrinthMask), sampled around the ball's centre; the ball walks
// towards the pointer a pixel at a time, first across and then up or down,
// so it slides along walls and stops at them however fast the pointer
// moves. Releasing it strictly within the tolerance of the goal centres it
// there, plays "MG_LABYRINTH_FINISHED" and fades the finished background in
// over 1000 ms; the frame's finish follows (700 ms, then the finished
// message). Quest 72 has no skip button (the frame's rule).
//
// Tuning keys "MgLabyrinth.Quest<id>." + MaskX, MaskY (the mask's corner on
// the screen), StartX, StartY (the ball's first centre), GoalX, GoalY; and
// the global "MgLabyrinth." + WallDetectionRange (disc radius, default 0),
// WallDetectionTreshold (largest mean alpha that is still a wall, default
// 0) and GoalTolerance (default 0). Pictures
// "content/images/minigames/Labyrinth/Quest<id>/" + Mask, Ball, Bg,
// BgFinal, with "Game.Images.Extension". Sounds "MG_PRESS" (grabbed),
// "MG_RELEASE" (every release).
#include "minigames/LabyrinthMask.h"
#include "minigames/MiniGameBase.h"

class ClickableImageWidget;

class MgLabyrinth : public MiniGameBase {
public:
    static constexpr int FinalFadeMs = 1000;
    // The largest WallDetectionRange; one outside 0 ... MaxWallRange gives
    // one error line and is taken as 0 (the pixel under the centre alone).
    static constexpr int MaxWallRange = 32;

    explicit MgLabyrinth(int questId);
    ~MgLabyrinth() override;

    // 0: the finished background is up: solved. 1122: the finished message.
    void onActionFinished(int32_t id) override;
    // A press on the ball's opaque pixels grabs it.
    void onMousePressed(MouseEvent* event) override;
    // The held ball follows, across first, then up or down.
    void onMouseMoved(MouseEvent* event) override;
    // Lets go; within the tolerance of the goal the ending starts (once).
    void onMouseReleased(MouseEvent* event) override;

    // The ball's centre: its corner plus half its size (whole pixels).
    Point ballCentre() const;
    Point getGoal() const { return goal; }
    int getGoalTolerance() const { return goalTolerance; }
    const LabyrinthMask& getMask() const { return mask; }
    ClickableImageWidget* getBall() const { return ball; }
    bool isDragging() const { return dragging; }
    bool isFinishing() const { return finishing; }
    int getFinalAlpha() const { return finalAlpha; }
    // The ball's centre, the goal, whether it is held and finished.
    std::string puzzleState() const override;

protected:
    void build() override;
    void drawBackground(Graphics& g) override;

private:
    // Centres the ball on the point.
    void placeBall(Point centre);

    std::string imageExtension;
    std::string perQuest;
    LabyrinthMask mask;
    Point goal;
    int goalTolerance = 0;
    GLTexture* background = nullptr;       // owned by the screen's manager
    GLTexture* finalBackground = nullptr;  // owned by the screen's manager
    ClickableImageWidget* ball = nullptr;  // owned by the screen
    int finalAlpha = 0;
    bool dragging = false;
    bool finishing = false;
    Point grab;
};
