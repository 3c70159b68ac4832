#pragma once
// The scrambled dials' final picture: passive (never hit by the pointer),
// invisible until the puzzle is solved, then faded in over 1000 ms; when
// the fade ends it tells its owner, whose solved sequence follows. The
// texture is not owned; the fade action is.
#include "engine/anim/ActionListener.h"
#include "engine/ui/ImageWidget.h"

#include <memory>

class Action;
class MgScrambledDial;

class FinalImage : public ImageWidget, public ActionListener {
public:
    static constexpr int FadeMs = 1000;

    // At (0, 0), zero-sized, alpha 0. The owner is not owned and may be
    // null.
    FinalImage(GLTexture* texture, MgScrambledDial* owner);
    ~FinalImage() override;

    // Drops a running fade and starts a new one adding 255 to the alpha
    // over FadeMs, from where it stands.
    void startFade();
    bool isFading() const;
    int getAlpha() const { return alpha; }

    // Advances the fade.
    void update(int dt, ScreenBase* screen) override;
    // The texture in white with the alpha (clamped to 0..255).
    void draw(Graphics& g, ScreenBase* screen) override;
    // The fade's end: the owner's puzzle is solved.
    void onActionFinished(int32_t id) override;

private:
    int alpha = 0;
    std::unique_ptr<Action> fade;
    MgScrambledDial* owner;  // not owned
};
