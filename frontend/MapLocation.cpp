#include "frontend/MapLocation.h"

#include "engine/anim/LoopAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/ButtonSupport.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/FrontendUi.h"
#include "frontend/LocationListener.h"
#include "game/SfxContainer.h"

namespace {

const int RotationId = 27;

void playIfLoaded(const char* name)
{
    SfxContainer* sfx = SfxContainer::instance();
    if (sfx->isLoaded())
        sfx->playSound(name, false);
}

} // namespace

MapLocation::MapLocation(LocationListener* locationListener, GLTexture* normalPicture, GLTexture* overPicture,
                         int locationIndex)
    : index(locationIndex)
    , caption(FrontendUi::label("LOCATION_" + std::to_string(locationIndex)))
    , listener(locationListener)
    , captionFont(FrontendUi::font("FONT_TIMES16"))
    , normal(normalPicture)
    , over(overPicture)
{
    rotation = std::make_unique<LoopAction>(
        std::make_unique<RelIncrementator<float>>(Duration(TurnMs), &angle, 360.f), LoopAction::Forever);
    rotation->start(this, RotationId);
}

MapLocation::~MapLocation() = default;

void MapLocation::onActionFinished(int32_t) {}

void MapLocation::update(int dt, ScreenBase*)
{
    if (highlightAction && highlightAction->isRunning())
        highlightAction->update(dt);
    if (rotation->isRunning())
        rotation->update(dt);
}

void MapLocation::draw(Graphics& g, ScreenBase* screen)
{
    const uint8_t a = static_cast<uint8_t>(highlight < 0 ? 0 : highlight > 255 ? 255 : highlight);
    if (normal)
        g.drawImage(0, 0, normal, Color::white());
    if (over)
        g.drawImage(0, 0, over, Color(255, 255, 255, a));
    // The streak is the screen's picture, shared by every marker.
    GLTexture* streak = screen && screen->getResources() ? screen->getResources()->findTexture("MAP_STREAK") : nullptr;
    if (streak) {
        g.pushTransform();
        g.translate(64.f, 64.f);
        g.rotate(angle, 0.f, 0.f, 1.f);
        g.translate(-128.f, -128.f);
        g.drawImage(0, 0, streak, Color(255, 255, 255, 128));
        g.popTransform();
    }
    if (captionFont) {
        const int x = ((normal ? normal->getWidth() : 0) - captionFont->textWidth(caption)) / 2;
        captionFont->drawRun(g, x, over ? over->getHeight() : 0, caption, Color(255, 255, 255, a));
    }
}

void MapLocation::fadeHighlightTo(int target)
{
    if (highlightAction)
        highlightAction->stop();
    highlightAction = std::make_unique<RelIncrementator<int32_t>>(Duration(HighlightMs), &highlight, target - highlight);
    highlightAction->start(this, 0);
}

void MapLocation::onMouseEnter()
{
    hovered = 1;
    fadeHighlightTo(255);
    playIfLoaded("MAP_LOCATION_OVER");
    if (listener)
        listener->onLocationEvent(index, LocationListener::Enter);
}

void MapLocation::onMouseLeave()
{
    hovered = 0;
    fadeHighlightTo(0);
    if (listener)
        listener->onLocationEvent(index, LocationListener::Leave);
}

void MapLocation::onMousePress(MouseEvent*)
{
    if (hovered && listener)
        listener->onLocationEvent(index, LocationListener::Press);
}

void MapLocation::onMouseRelease(MouseEvent*)
{
    playIfLoaded("MAP_LOCATION_PRESS");
    if (hovered && listener)
        listener->onLocationEvent(index, LocationListener::Release);
}

bool MapLocation::hitTest(int x, int y)
{
    return geometry.contains(x, y) && keptPixelOpaque(normal, x - geometry.x, y - geometry.y);
}
