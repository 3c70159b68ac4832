#include "engine/ui/SimpleTextButton.h"

#include "engine/gfx/Font.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/SimpleButtonListener.h"
#include "engine/ui/WidgetManager.h"

SimpleTextButton::SimpleTextButton(const std::string& text, SimpleButtonListener* buttonListener, Font* captionFont,
                                   int buttonId)
    : listener(buttonListener)
    , caption(text)
    , id(buttonId)
    , font(captionFont)
{
}

void SimpleTextButton::setBackgroundColors(Color normal, Color hovered, Color pressedColour)
{
    backgroundNormal = normal;
    backgroundHovered = hovered;
    backgroundPressed = pressedColour;
}

void SimpleTextButton::setTextColors(Color normal, Color hovered, Color pressedColour)
{
    textNormal = normal;
    textHovered = hovered;
    textPressed = pressedColour;
}

void SimpleTextButton::notify(int event)
{
    if (listener)
        listener->onButton(id, event);
}

void SimpleTextButton::draw(Graphics& g, ScreenBase*)
{
    if (!font)
        return;
    Color background = backgroundNormal;
    Color text = textNormal;
    if (pressed) {
        background = backgroundPressed;
        text = textPressed;
    } else if (manager && manager->isWidgetUnderMouse(this)) {
        background = backgroundHovered;
        text = textHovered;
    }
    if (!noBackground)
        g.fillRect(0, 0, geometry.w, geometry.h, background);
    const int x = (geometry.w - font->textWidth(caption)) / 2;
    const int y = (geometry.h - font->getLineHeight()) / 2 - 4;
    if (shadow)
        font->drawRun(g, x + 1, y + 1, caption, Color(0, 0, 0, 255));
    font->drawRun(g, x, y, caption, text);
}

void SimpleTextButton::onMousePress(MouseEvent* event)
{
    if (!event || event->buttons != MouseEvent::Left)
        return;
    playNamedOrOwn("BUTTON_PRESS", pressSound);
    pressed = true;
    notify(0);
}

void SimpleTextButton::onMouseRelease(MouseEvent* event)
{
    if (!event || event->buttons != MouseEvent::Left)
        return;
    // `pressed` is set by a press on the button and cleared while the pointer
    // is outside, so it tells a click from a release after a drag.
    const bool click = pressed;
    pressed = false;
    pressedBeforeLeaving = false;
    if (click)
        notify(1);
}

void SimpleTextButton::onMouseEnter()
{
    playNamedOrOwn("BUTTON_OVER", hoverSound);
    pressed = pressedBeforeLeaving;
    notify(2);
}

void SimpleTextButton::onMouseLeave()
{
    // A button held while the pointer is outside hears a leave on every
    // move; only the first one finds it pressed, and the later ones must not
    // forget that.
    pressedBeforeLeaving = pressedBeforeLeaving || pressed;
    pressed = false;
    notify(3);
}
