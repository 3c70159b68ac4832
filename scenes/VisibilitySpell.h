#pragma once
// The visibility spell's fire ball: on arrival the target's silhouette
// glows (tinted 151, 105, 228) and fades over 2000 ms while the visibility
// animation plays over the item; the animation's end takes it off the
// screen and lets a paused panorama scroll on.
#include "engine/ui/AnimationPlayerListener.h"
#include "scenes/SpellFireBall.h"

#include <memory>

class AnimationPlayer;

class VisibilitySpell : public SpellFireBall, public AnimationPlayerListener {
public:
    static constexpr int AnimationId = 2;
    static constexpr int FadeMs = 2000;

    // The particle picture is the screen's "GUI_PARTICLE_VISIBILITY".
    VisibilitySpell(ScreenBase* screen, int32_t count);
    ~VisibilitySpell() override;

    void castAt(ItemState* item, int offsetX) override;
    void onArrived() override;
    void onAnimationFinished(int32_t id) override;

private:
    std::unique_ptr<AnimationPlayer> player;
};
