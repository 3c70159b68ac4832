#include "frontend/CustomSliderWidget.h"

#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/InputEvents.h"
#include "frontend/CustomSliderListener.h"
#include "game/SfxContainer.h"

#include <algorithm>

CustomSliderWidget::CustomSliderWidget(CustomSliderListener* sliderListener, int sliderId, int x, int y,
                                       GLTexture* railPicture, GLTexture* thumb)
    : listener(sliderListener)
    , id(sliderId)
    , rail(railPicture)
    , currentThumb(thumb)
    , normalThumb(thumb)
{
    const int w = rail ? rail->getWidth() : 0;
    const int h = rail ? rail->getHeight() : 0;
    setBounds(x, y, w, h);
    track = WidgetGeometry(0, 0, 0, w, h);
}

CustomSliderWidget::~CustomSliderWidget() = default;

void CustomSliderWidget::setValue(float v)
{
    value = std::clamp(v, 0.f, 1.f);
}

int CustomSliderWidget::thumbX() const
{
    return static_cast<int>(static_cast<float>(thumbOriginX) + value * static_cast<float>(track.w));
}

int CustomSliderWidget::fillTileCount() const
{
    if (!fill || fill->getWidth() <= 0)
        return 0;
    const float wanted = static_cast<float>(track.w) * value / static_cast<float>(fill->getWidth());
    int count = 0;
    while (static_cast<float>(count) < wanted)
        ++count;
    return count;
}

void CustomSliderWidget::update(int dt, ScreenBase*)
{
    tooltip.update(dt);
}

void CustomSliderWidget::draw(Graphics& g, ScreenBase*)
{
    const Color white = Color::white();
    if (rail)
        g.drawImage(0, 0, rail, white);
    const int tiles = fillTileCount();
    for (int i = 0; i < tiles; ++i)
        g.drawImage(fillOriginX + i * fill->getWidth(), fillY, fill, white);
    if (currentThumb)
        g.drawImage(thumbX(), thumbY, currentThumb, white);
    tooltip.draw(g, geometry.w);
}

void CustomSliderWidget::followPointer(const MouseEvent& event)
{
    if (track.w <= 0)
        return;
    const float v = static_cast<float>(event.x - geometry.x - thumbOriginX) / static_cast<float>(track.w);
    value = std::clamp(v, 0.f, 1.f);
    if (listener)
        listener->onSliderChanged(id, value);
}

void CustomSliderWidget::onMousePress(MouseEvent* event)
{
    dragging = true;
    followPointer(*event);
}

void CustomSliderWidget::onMouseMove(MouseEvent* event)
{
    if (dragging)
        followPointer(*event);
}

void CustomSliderWidget::onMouseRelease(MouseEvent* event)
{
    // A drag released off the slider: the leave it ignored during the drag
    // is not sent again, so the tooltip would stay wherever the pointer
    // goes. It goes now; released on the slider, the slider is still
    // hovered and keeps it.
    if (dragging && event && !hitTest(event->x, event->y))
        tooltip.cancel();
    dragging = false;
    currentThumb = normalThumb;
    SfxContainer* sfx = SfxContainer::instance();
    if (sfx->isLoaded())
        sfx->playSound("SLIDER_MOUSE_RELEASED", false);
}

void CustomSliderWidget::onMouseEnter()
{
    if (hoverThumb)
        currentThumb = hoverThumb;
    tooltip.begin(this);
}

void CustomSliderWidget::onMouseLeave()
{
    // A drag keeps its thumb and tooltip until the release.
    if (dragging)
        return;
    currentThumb = normalThumb;
    tooltip.cancel();
}

bool CustomSliderWidget::hitTest(int x, int y)
{
    if (!geometry.contains(x, y))
        return false;
    const int rx = x - geometry.x;
    const int ry = y - geometry.y;
    if (track.contains(rx, ry))
        return true;
    if (!currentThumb)
        return false;
    const int tx = thumbX();
    return rx >= tx && rx < tx + currentThumb->getWidth() && ry >= thumbY && ry < thumbY + currentThumb->getHeight();
}

void CustomSliderWidget::onActionFinished(int32_t actionId)
{
    if (actionId == WidgetTooltip::DelayId)
        tooltip.show();
}
