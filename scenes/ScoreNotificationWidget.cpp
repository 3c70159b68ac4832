#include "scenes/ScoreNotificationWidget.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Font.h"

ScoreNotificationWidget::ScoreNotificationWidget(Font* textFont)
    : font(textFont)
    , colour(255, 255, 255, 255)
    , motion(std::make_unique<ParalelAction>())
{
    // The tween writes the y of the geometry directly: moving the text needs
    // no notifications.
    motion->add(std::make_unique<RelIncrementator<int>>(Duration(RiseMs), &geometry.y, -RisePixels));
    motion->add(std::make_unique<RelIncrementator<int>>(Duration(RiseMs), &alpha, -255));
    setSize(0, 0);
    setEnabled(false);
}

ScoreNotificationWidget::~ScoreNotificationWidget() = default;

void ScoreNotificationWidget::show(int x, int y, const std::string& newText, const Color* newColour)
{
    idle = false;
    setPosition(x, y);
    text = newText;
    colour = newColour ? *newColour : Color(255, 255, 255, 255);
    alpha = 255;
    motion->stop();
    motion->start(this, 0);
}

void ScoreNotificationWidget::update(int dt, ScreenBase*)
{
    if (idle)
        return;
    motion->update(dt);
    colour.a = static_cast<uint8_t>(alpha & 0xff);
}

void ScoreNotificationWidget::draw(Graphics& g, ScreenBase*)
{
    if (idle || !font)
        return;
    const int w = font->textWidth(text);
    font->drawRun(g, -(w / 2), -(font->getLineHeight() / 2), text, colour);
}

void ScoreNotificationWidget::onActionFinished(int32_t id)
{
    if (id == 0)
        idle = true;
}
