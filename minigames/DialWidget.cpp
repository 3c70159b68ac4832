#include "minigames/DialWidget.h"

#include "engine/core/StringUtils.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/SimpleButtonListener.h"
#include "engine/ui/UiServices.h"

namespace {
const Color ActiveGrey(200, 200, 200, 255);
constexpr int FullTurn = 360;
} // namespace

DialWidget::DialWidget(bool randomStart, SimpleButtonListener* buttonListener, int dialId, GLTexture* image,
                       float tolerance, float factor)
    : ClickableImageWidget(image, 0, 0, buttonListener, dialId, true)
{
    rotation.active = randomStart;
    rotation.angleTolerance = tolerance;
    rotation.rotationFactor = factor;
    if (randomStart)
        rotation.angle = static_cast<float>(randomBelow(FullTurn));
}

float DialWidget::pointerAngle(const MouseEvent& event) const
{
    return DialRotation::pointerAngle(event.x, event.y, geometry.x, geometry.y, geometry.w, geometry.h);
}

void DialWidget::onMousePress(MouseEvent* event)
{
    if (!event || !rotation.press(pointerAngle(*event)))
        return;
    if (listener)
        listener->onButton(id, 0);
    playUiSound("MG_PRESS");
}

void DialWidget::onMouseMove(MouseEvent* event)
{
    if (event)
        rotation.move(pointerAngle(*event));
}

void DialWidget::onMouseRelease(MouseEvent*)
{
    if (!rotation.active) {
        rotation.dragging = false;
        return;
    }
    if (rotation.release())
        playUiSound("MG_INPLACE");
    playUiSound("MG_RELEASE");
    if (listener)
        listener->onButton(id, 1);
}

void DialWidget::applyRotation(Graphics& g) const
{
    const float cx = static_cast<float>(geometry.w / 2);
    const float cy = static_cast<float>(geometry.h / 2);
    g.translate(cx, cy);
    g.rotate(rotation.angle, 0.f, 0.f, 1.f);
    g.translate(-cx, -cy);
}

void DialWidget::draw(Graphics& g, ScreenBase*)
{
    if (!texture)
        return;
    g.pushTransform();
    applyRotation(g);
    g.drawImage(0, 0, texture, rotation.active ? ActiveGrey : Color::white());
    g.popTransform();
}
