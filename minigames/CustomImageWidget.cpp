#include "minigames/CustomImageWidget.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/ButtonSupport.h"

CustomImageWidget::CustomImageWidget(GLTexture* texture, int x, int y, int home_x, int home_y, GLTexture* overlayTexture)
    : ImageWidget(texture, x, y)
    , homeX(home_x)
    , homeY(home_y)
    , overlay(overlayTexture)
{
    auto flash = std::make_unique<ActionSequence>();
    flash->add(std::make_unique<Setter<int>>(&overlayAlpha, 0));
    flash->add(std::make_unique<RelIncrementator<int>>(Duration(PulseHalfMs), &overlayAlpha, 255));
    flash->add(std::make_unique<RelIncrementator<int>>(Duration(PulseHalfMs), &overlayAlpha, -255));
    pulse = std::move(flash);
    fade = std::make_unique<RelIncrementator<int>>(Duration(FadeMs), &overlayAlpha, 255);
}

CustomImageWidget::~CustomImageWidget() = default;

void CustomImageWidget::update(int dt, ScreenBase*)
{
    pulse->update(dt);
    fade->update(dt);
}

void CustomImageWidget::draw(Graphics& g, ScreenBase* screen)
{
    // Placed pieces and unlit glows are fully transparent: nothing to draw.
    if (tint.a != 0)
        ImageWidget::draw(g, screen);
    const auto alpha = static_cast<uint8_t>(overlayAlpha & 0xff);
    if (overlay && alpha != 0)
        g.drawImage(0, 0, overlay, Color(255, 255, 255, alpha));
}

bool CustomImageWidget::hitTest(int x, int y)
{
    return Widget::hitTest(x, y) && keptPixelOpaque(texture, x - geometry.x, y - geometry.y);
}

void CustomImageWidget::startPulse()
{
    overlayAlpha = 0;
    pulse->start(nullptr, -1);
}

void CustomImageWidget::startFade()
{
    pulse->stop();
    overlayAlpha = 0;
    fade->start(nullptr, -1);
}

bool CustomImageWidget::isPulsing() const
{
    return pulse->isRunning();
}
