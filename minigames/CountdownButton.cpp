#include "minigames/CountdownButton.h"

#include "engine/anim/Tweens.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int CentreBoth = 2;
const Color White(255, 255, 255, 255);
} // namespace

CountdownButton::CountdownButton(GLTexture* normal, GLTexture* over, SimpleButtonListener* buttonListener,
                                 int total)
    : StaticImageButton(normal, over, buttonListener, 1000)
    , remainingMs(total)
    , totalMs(total)
    , countdown(std::make_unique<RelDecrementator<int>>(Duration(total), &remainingMs, total))
{
    // The caption box is the whole button as it was made.
    captionBox = WidgetGeometry(0, 0, 0, geometry.w, geometry.h);
    setEnabled(false);
    // Nothing to count down (a missing or zero tuning value): usable at once
    // rather than dividing by the zero total when drawing the bar.
    if (totalMs <= 0) {
        remainingMs = 0;
        finish();
    }
}

CountdownButton::~CountdownButton() = default;

void CountdownButton::setCaptionText(const std::string& text, Font* font)
{
    skipCaption = text;
    captionFont = font;
    if (finished)
        setCaption(skipCaption, captionFont, captionBox, CentreBoth, White);
}

void CountdownButton::setFill(GLTexture* image, int x, int y, int width)
{
    fillImage = image;
    fillX = x;
    fillY = y;
    fillWidth = width;
}

void CountdownButton::resumeCountdown()
{
    counting = true;
    if (!finished && !countdown->isRunning())
        countdown->start(this, CountdownActionId);
}

void CountdownButton::update(int dt, ScreenBase* screen)
{
    if (!finished) {
        setCaption(secondsText(remainingMs), captionFont, captionBox, CentreBoth, White);
        if (counting)
            countdown->update(dt);
    }
    if (hoverFade && (finished || counting))
        hoverFade->update(dt);
    StaticImageButton::update(dt, screen);
}

void CountdownButton::onMouseEnter()
{
    StaticImageButton::onMouseEnter();
    if (!visible || pressed)
        return;
    currentImage = normalImage;
    fadeHover(255);
}

void CountdownButton::onMouseLeave()
{
    StaticImageButton::onMouseLeave();
    if (visible)
        fadeHover(0);
}

void CountdownButton::fadeHover(int to)
{
    const int delta = to - hoverAlpha;
    hoverFade = std::make_unique<RelIncrementator<int>>(Duration(HoverFadeMs * std::abs(delta) / 255), &hoverAlpha,
                                                        delta);
    hoverFade->start(this, HoverFadeActionId);
}

void CountdownButton::onActionFinished(int32_t id)
{
    if (id == CountdownActionId)
        finish();
}

void CountdownButton::finish()
{
    finished = true;
    setCaption(skipCaption, captionFont, captionBox, CentreBoth, White);
    setEnabled(true);
}

void CountdownButton::draw(Graphics& g, ScreenBase*)
{
    if (currentImage)
        g.drawImage(0, 0, currentImage, enabled ? White : disabledTint);
    if (currentImage == normalImage && fillImage) {
        const int filled = filledColumns(remainingMs, totalMs, fillWidth);
        const int first = firstFilledColumn(filled, fillWidth);
        for (int i = 0; i < filled; ++i)
            g.drawImage(fillX + first + i, fillY, fillImage, White);
    }
    if (currentImage == normalImage && hoverImage && hoverAlpha > 0)
        g.drawImage(0, 0, hoverImage, Color(255, 255, 255, static_cast<uint8_t>(std::min(hoverAlpha, 255))));
    if (captionFont && !caption.empty())
        captionFont->drawTextInBoxRuns(g, captionBox, caption, captionColor, captionAlign, CentreBoth, false);
}

std::string CountdownButton::secondsText(int remaining)
{
    return std::to_string(remaining / 1000);
}

int CountdownButton::filledColumns(int remaining, int total, int width)
{
    if (total <= 0)
        return width - width % 2;
    const float done = 1.0f - static_cast<float>(remaining) / static_cast<float>(total);
    const int n = static_cast<int>(done * static_cast<float>(width));
    return n / 2 * 2;
}
