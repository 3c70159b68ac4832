#include "minigames/FinalImage.h"

#include "engine/anim/Tweens.h"
#include "engine/gfx/Graphics.h"
#include "minigames/MgScrambledDial.h"

#include <algorithm>

FinalImage::FinalImage(GLTexture* image, MgScrambledDial* game)
    : ImageWidget(image, 0, 0, true)
    , owner(game)
{
}

FinalImage::~FinalImage() = default;

void FinalImage::startFade()
{
    fade = std::make_unique<RelIncrementator<int>>(Duration(FadeMs), &alpha, 255);
    fade->start(this, 0);
}

bool FinalImage::isFading() const
{
    return fade && fade->isRunning();
}

void FinalImage::update(int dt, ScreenBase*)
{
    if (fade)
        fade->update(dt);
}

void FinalImage::draw(Graphics& g, ScreenBase*)
{
    if (texture)
        g.drawImage(0, 0, texture, Color(255, 255, 255, static_cast<uint8_t>(std::clamp(alpha, 0, 255))));
}

void FinalImage::onActionFinished(int32_t)
{
    if (owner)
        owner->onFinalShown();
}
