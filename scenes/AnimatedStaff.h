#pragma once
// The staff in the scene's heads-up display. A click, or the spell buttons
// through the scene, set it swinging (forth by "AnimatedStaff.RotationAngle"
// degrees in 400 ms, back in 200 ms, with "STAFF_MOVING"); then it glows
// ("AnimatedStaff.Glow.FadeInDuration" ms up, and unless the glow is held
// "AnimatedStaff.Glow.FadeOutDuration" ms down) and at the end of the glow
// the scene releases the armed spell or hint. A swing asked for while one
// swings or glows starts nothing. On its first appearance it fades in over
// "AnimatedStaff.FadeIn.Duration" ms, then plays its sparkle (40 frames of
// 40 ms) once.
//
// Textures are not owned; the sparkle animation and the actions are.
#include "engine/anim/ActionListener.h"
#include "engine/anim/SystemAnimationListener.h"
#include "engine/ui/Widget.h"

#include <cstdint>
#include <memory>
#include <vector>

class Action;
class Animation;
class GLTexture;
class QDScene;

class AnimatedStaff : public Widget, public ActionListener, public SystemAnimationListener {
public:
    enum ActionId { SwingId = 0, GlowId = 2, FadeOutId = 3, AppearId = 4 };

    // At (x, y); the pictures are the screen's staff pictures.
    AnimatedStaff(int x, int y, GLTexture* staff, GLTexture* glow, GLTexture* sparkleSheet);
    ~AnimatedStaff() override;

    void swing(bool hold);
    void fadeOutGlow();
    void appear();

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    void onMousePress(MouseEvent* event) override;
    void onActionFinished(int32_t id) override;
    void onAnimationEnded(int32_t id) override;

    void setPivot(int x, int y) { pivotX = x, pivotY = y; }
    void setScene(QDScene* owner) { scene = owner; }
    bool isMoving() const { return moving; }
    // A swing or glow is running.
    bool isBusy() const;
    int getAngle() const { return angle; }
    int getGlowAlpha() const { return glowAlpha; }
    int getStaffAlpha() const { return staffAlpha; }
    bool isSparkleOn() const { return sparkleOn; }
    int getSparkleFrame() const;

private:
    void run(std::unique_ptr<Action> action, int id);

    int32_t staffAlpha = 255;
    int32_t glowAlpha = 0;
    int32_t angle = 0;
    int pivotX = 0, pivotY = 0;
    bool holdGlow = false;
    bool sparkleOn = false;
    bool moving = false;
    GLTexture* staffTexture;   // not owned
    GLTexture* glowTexture;    // not owned
    GLTexture* sparkleSheet;   // not owned
    QDScene* scene = nullptr;  // not owned
    std::unique_ptr<Animation> sparkle;
    std::vector<std::unique_ptr<Action>> actions;
};
