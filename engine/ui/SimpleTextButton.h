#pragma once
// A plain button: a filled rectangle with a centred caption, in three colour
// pairs (normal, hovered, pressed). It plays "BUTTON_OVER" and
// "BUTTON_PRESS", or its own sounds while the game's named effects are not
// loaded.
//
// Events to the listener: 2 entered, 0 pressed (left button), 1 released (a
// click: a left release over the button after a press on it), 3 left.
// Leaving while pressed and coming back without releasing shows the button
// pressed again. The listener is called last in each handler, so it may take
// the button off its screen (ScreenBase::safeRemoveWidget) or add widgets.
#include "engine/core/Types.h"
#include "engine/ui/Widget.h"
#include <cstdint>
#include <string>

class Font;
class SimpleButtonListener;
class Sound;

class SimpleTextButton : public Widget {
public:
    // The listener and font are not owned; without a font nothing is drawn.
    // Geometry is zero until the owner sets it.
    SimpleTextButton(const std::string& caption, SimpleButtonListener* listener, Font* font, int id);

    // Background (unless switched off) and caption, in the pressed colours
    // while pressed, else in the hovered colours while the manager finds this
    // button under the mouse, else in the normal colours. Only with a font.
    void draw(Graphics& g, ScreenBase* screen) override;
    void onMousePress(MouseEvent* event) override;
    void onMouseRelease(MouseEvent* event) override;
    void onMouseEnter() override;
    void onMouseLeave() override;

    void setCaption(const std::string& text) { caption = text; }
    void setFont(Font* f) { font = f; }
    void setListener(SimpleButtonListener* l) { listener = l; }
    // Played instead of the named effects while those are not loaded; not
    // owned, may be null.
    void setOwnSounds(Sound* press, Sound* hover)
    {
        pressSound = press;
        hoverSound = hover;
    }
    void setBackgroundColors(Color normal, Color hovered, Color pressedColour);
    void setTextColors(Color normal, Color hovered, Color pressedColour);
    void setNormalTextColor(Color c) { textNormal = c; }
    // Draws the caption once more in black, one pixel down and right, first.
    void setShadow(bool on) { shadow = on; }
    void setNoBackground(bool on) { noBackground = on; }

    const std::string& getCaption() const { return caption; }
    int getId() const { return id; }
    bool isPressed() const { return pressed; }
    Color getTextColor() const { return textNormal; }

protected:
    void notify(int event);

    Sound* pressSound = nullptr;  // not owned
    Sound* hoverSound = nullptr;  // not owned
    SimpleButtonListener* listener;  // not owned
    std::string caption;
    Color backgroundNormal = Color(255, 255, 255, 255);
    Color backgroundPressed = Color(127, 127, 127, 255);
    Color backgroundHovered = Color(200, 200, 200, 255);
    Color textNormal = Color(0, 0, 0, 255);
    Color textHovered = Color(255, 255, 255, 255);
    Color textPressed = Color(255, 255, 255, 255);
    bool pressed = false;
    bool pressedBeforeLeaving = false;
    int32_t id;
    Font* font;  // not owned
    bool shadow = false;
    bool noBackground = false;
};
