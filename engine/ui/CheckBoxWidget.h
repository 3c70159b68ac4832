#pragma once
// A two-state box: any press toggles it, plays "CHECKBOX_CHECK" or
// "CHECKBOX_UNCHECK" (its own toggle sound while the game's named effects are
// not loaded) and then reports the new state to the listener. It draws the
// box image and, while checked, the check image over it at the check offset.
// A picture that failed to load (pictureFailed) is replaced: the box by a
// square stand-in of the missing-picture height, the check by a filled
// square in its middle (also over a stand-in box, which the check image
// offset does not fit), so the state can still be seen and changed.
// The listener is called last, so it may take the box off its screen
// (ScreenBase::safeRemoveWidget) or add widgets.
#include "engine/ui/Widget.h"
#include <cstdint>

class CheckBoxListener;
class GLTexture;
class Sound;

class CheckBoxWidget : public Widget {
public:
    // Unchecked, at 0, 0, sized to the box image's picture. Listener and
    // images are not owned; either image may be null (not drawn).
    CheckBoxWidget(CheckBoxListener* listener, int id, GLTexture* box, GLTexture* check);

    void onMousePress(MouseEvent* event) override;
    void draw(Graphics& g, ScreenBase* screen) override;

    // Sets the state quietly: no sound, no report.
    void setChecked(bool on) { checked = on; }
    bool isChecked() const { return checked; }
    // Not owned; may be null.
    void setToggleSound(Sound* sound) { toggleSound = sound; }
    void setCheckOffset(int x, int y)
    {
        checkX = x;
        checkY = y;
    }
    int getId() const { return id; }

protected:
    CheckBoxListener* listener;  // not owned
    int32_t id;
    GLTexture* boxImage;    // not owned
    GLTexture* checkImage;  // not owned
    bool checked = false;
    Sound* toggleSound = nullptr;  // not owned
    int32_t checkX = 0;
    int32_t checkY = 0;
};
