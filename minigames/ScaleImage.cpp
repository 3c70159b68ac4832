#include "minigames/ScaleImage.h"

#include "engine/anim/Tweens.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"

#include <algorithm>

ScaleImage::ScaleImage(GLTexture* image, int x, int y, bool zeroSize)
    : ImageWidget(image, x, y, zeroSize)
{
}

ScaleImage::~ScaleImage() = default;

void ScaleImage::startGlow(GLTexture* glow)
{
    glowTexture = glow;
    glowAction = std::make_unique<RelIncrementator<int>>(Duration(GlowMs), &glowAlpha, 255);
    glowAction->start(nullptr, 0);
}

void ScaleImage::update(int dt, ScreenBase*)
{
    if (glowAction)
        glowAction->update(dt);
}

void ScaleImage::draw(Graphics& g, ScreenBase*)
{
    if (!texture)
        return;
    const float cx = static_cast<float>(texture->getWidth() / 2);
    const float cy = static_cast<float>(texture->getHeight() / 2);
    g.pushTransform();
    g.translate(cx, cy);
    g.scale(scale, scale);
    g.translate(-cx, -cy);
    g.drawImage(0, 0, texture, tint);
    if (glowTexture && glowAlpha > 0)
        g.drawImage(0, 0, glowTexture, Color(255, 255, 255, static_cast<uint8_t>(std::min(glowAlpha, 255))));
    g.popTransform();
}
