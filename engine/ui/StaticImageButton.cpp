#include "engine/ui/StaticImageButton.h"

#include "engine/anim/Action.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/SimpleButtonListener.h"
#include "engine/ui/UiServices.h"

StaticImageButton::StaticImageButton(GLTexture* normal, GLTexture* hover, SimpleButtonListener* buttonListener,
                                     int buttonId, GLTexture* pressedPicture)
    : normalImage(normal)
    , hoverImage(hover)
    , pressedImage(pressedPicture ? pressedPicture : hover)
    , listener(buttonListener)
    , id(buttonId)
    , currentImage(normal)
{
    if (normalImage)
        geometry = WidgetGeometry(0, 0, 0, pictureWidth(normalImage), pictureHeight(normalImage));
}

StaticImageButton::~StaticImageButton() = default;

void StaticImageButton::moveTo(int x, int y)
{
    setGeometry(WidgetGeometry(x, y, geometry.z, pictureWidth(normalImage), pictureHeight(normalImage)));
}

void StaticImageButton::setEnabled(bool on)
{
    // Widget::setEnabled ends in disable(), which clears the same state; it
    // is cleared here too for derived buttons whose disable() replaces it.
    Widget::setEnabled(on);
    if (!on) {
        hovered = false;
        pressed = false;
        currentImage = normalImage;
    }
}

void StaticImageButton::update(int dt, ScreenBase*)
{
    if (glowAction)
        glowAction->update(dt);
}

void StaticImageButton::draw(Graphics& g, ScreenBase*)
{
    const bool failed = pictureFailed(normalImage);
    if (failed)
        drawMissingPicture(g, geometry.w, geometry.h, enabled ? 255 : 128);
    if (currentImage)
        g.drawImage(0, 0, currentImage, enabled ? Color(255, 255, 255, 255) : disabledTint);
    if (glowAction && hoverImage && currentImage == normalImage)
        g.drawImage(0, 0, hoverImage, Color(255, 255, 255, glowAlpha));
    if (captionFont && !caption.empty()) {
        // The owner's box was laid out on the picture; the stand-in takes
        // the caption across its middle.
        const WidgetGeometry box = failed ? WidgetGeometry(0, 0, 0, geometry.w, geometry.h) : captionBox;
        if (captionShadow) {
            WidgetGeometry shadowBox = box;
            shadowBox.x += 1;
            shadowBox.y += 1;
            captionFont->drawTextInBoxRuns(g, shadowBox, caption, Color(0, 0, 0, 255), captionAlign, 2, false);
        }
        captionFont->drawTextInBoxRuns(g, box, caption, captionColor, failed ? 2 : captionAlign, 2, false);
    }
}

void StaticImageButton::onMousePress(MouseEvent*)
{
    if (!visible)
        return;
    if (!silent)
        playUiSound("BUTTON_PRESS");
    pressed = true;
    currentImage = pressedImage;
    if (listener)
        listener->onButton(id, 0);
}

void StaticImageButton::onMouseRelease(MouseEvent*)
{
    if (!visible)
        return;
    currentImage = hovered ? hoverImage : normalImage;
    const bool click = pressed && hovered;
    pressed = false;
    if (click && listener)
        listener->onButton(id, 1);
}

void StaticImageButton::onMouseLeave()
{
    if (!visible)
        return;
    hovered = false;
    currentImage = normalImage;
    if (listener)
        listener->onButton(id, 3);
}

void StaticImageButton::onMouseEnter()
{
    if (!visible)
        return;
    if (!silent)
        playUiSound("BUTTON_OVER");
    hovered = true;
    currentImage = pressed ? pressedImage : hoverImage;
    if (listener)
        listener->onButton(id, 2);
}

void StaticImageButton::disable()
{
    pressed = false;
    hovered = false;
    currentImage = normalImage;
}

bool StaticImageButton::hitTest(int x, int y)
{
    if (!visible || !normalImage)
        return false;
    const int dx = x - geometry.x;
    const int dy = y - geometry.y;
    if (dx < 0 || dy < 0 || dx >= pictureWidth(normalImage) || dy >= pictureHeight(normalImage))
        return false;
    // A failed picture has no pixels to ask: its stand-in box takes the pointer.
    return rectangleHit || pictureFailed(normalImage) || keptPixelOpaque(normalImage, dx, dy);
}

void StaticImageButton::onActionFinished(int32_t) {}

void StaticImageButton::setCaption(const std::string& text, Font* font, const WidgetGeometry& box, int hAlign,
                                   Color colour)
{
    caption = text;
    captionFont = font;
    captionBox = box;
    captionAlign = hAlign;
    captionColor = colour;
}
