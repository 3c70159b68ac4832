#include "minigames/TileWidget.h"

#include "engine/anim/Tweens.h"
#include "engine/gfx/Graphics.h"
#include "engine/ui/SimpleButtonListener.h"

#include <algorithm>

TileWidget::TileWidget(SimpleButtonListener* buttonListener, int tileId, GLTexture* image)
    : ClickableImageWidget(image, 0, 0, buttonListener, tileId, true)
{
}

TileWidget::~TileWidget() = default;

void TileWidget::setStateImage(int state, GLTexture* image)
{
    if (image)
        stateImages[state] = image;
    else
        stateImages.erase(state);
}

void TileWidget::setState(int state)
{
    const auto it = stateImages.find(state);
    if (it != stateImages.end())
        texture = it->second;
}

void TileWidget::fadeInOverlay(int ms)
{
    const auto it = stateImages.find(Active);
    if (it == stateImages.end())
        return;
    overlayImage = it->second;
    overlayAlpha = 0;
    fadeAction = std::make_unique<RelIncrementator<int>>(Duration(ms), &overlayAlpha, 255);
    fadeAction->start(nullptr, 0);
}

void TileWidget::update(int dt, ScreenBase*)
{
    if (fadeAction)
        fadeAction->update(dt);
}

void TileWidget::draw(Graphics& g, ScreenBase* screen)
{
    g.pushTransform();
    g.translate(static_cast<float>(rotationPivot.x), static_cast<float>(rotationPivot.y));
    g.rotate(angle, 0.f, 0.f, 1.f);
    g.translate(static_cast<float>(-rotationPivot.x), static_cast<float>(-rotationPivot.y));
    g.translate(static_cast<float>(scalePivot.x), static_cast<float>(scalePivot.y));
    g.scale(scale, scale);
    g.translate(static_cast<float>(-scalePivot.x), static_cast<float>(-scalePivot.y));
    ImageWidget::draw(g, screen);
    if (overlayImage)
        g.drawImage(0, 0, overlayImage, Color(255, 255, 255, static_cast<uint8_t>(std::clamp(overlayAlpha, 0, 255))));
    g.popTransform();
}

void TileWidget::onMouseEnter()
{
    if (listener)
        listener->onButton(id, Entered);
}

void TileWidget::onMouseLeave()
{
    if (listener)
        listener->onButton(id, Left);
}
