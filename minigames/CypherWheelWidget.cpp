#include "minigames/CypherWheelWidget.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/core/StringUtils.h"
#include "engine/gfx/Graphics.h"

#include <algorithm>

namespace {
// The start angle: a thousandth of a turn at random.
constexpr int StartSteps = 1000;
constexpr int SpinActionId = 0;
} // namespace

CypherWheelWidget::CypherWheelWidget(SimpleButtonListener* buttonListener, GLTexture* image, float tolerance,
                                     float factor)
    : DialWidget(false, buttonListener, WheelId, image, tolerance, factor)
{
    rotation.angle = static_cast<float>(randomBelow(StartSteps)) / static_cast<float>(StartSteps) * 360.f;
    auto glow = std::make_unique<ActionSequence>();
    glow->add(std::make_unique<Setter<int>>(&glowAlpha, 0));
    glow->add(std::make_unique<RelIncrementator<int>>(Duration(GlowRiseMs), &glowAlpha, 255));
    glow->add(std::make_unique<ActionDelay>(Duration(GlowHoldMs)));
    glow->add(std::make_unique<RelIncrementator<int>>(Duration(GlowRiseMs), &glowAlpha, -255));
    glowSequence = std::move(glow);
    auto spin = std::make_unique<ActionSequence>();
    spin->add(std::make_unique<Setter<float>>(&spinSpeed, SpinSpeed));
    spin->add(std::make_unique<RelIncrementator<float>>(Duration(SpinMs), &spinSpeed, -SpinSpeed));
    spinSequence = std::move(spin);
}

CypherWheelWidget::~CypherWheelWidget() = default;

void CypherWheelWidget::startSpin()
{
    spinSequence->start(this, SpinActionId);
}

bool CypherWheelWidget::isSpinning() const
{
    return spinSequence->isRunning();
}

void CypherWheelWidget::showPiece(GLTexture* overlay, GLTexture* symbol, Point at)
{
    wheelOverlay = overlay;
    symbolTexture = symbol;
    symbolAt = at;
    glowAlpha = 0;
    glowSequence->start(nullptr, 0);
}

void CypherWheelWidget::clearPiece()
{
    wheelOverlay = nullptr;
    symbolTexture = nullptr;
    glowAlpha = 0;
    glowSequence->stop();
}

void CypherWheelWidget::update(int dt, ScreenBase*)
{
    glowSequence->update(dt);
    spinSequence->update(dt);
    if (spinSequence->isRunning())
        rotation.angle += spinSpeed * static_cast<float>(dt) / 1000.f;
}

void CypherWheelWidget::onActionFinished(int32_t id)
{
    if (id == SpinActionId)
        rotation.active = true;
}

void CypherWheelWidget::draw(Graphics& g, ScreenBase*)
{
    const Color glow(255, 255, 255, static_cast<uint8_t>(std::clamp(glowAlpha, 0, 255)));
    g.pushTransform();
    applyRotation(g);
    if (texture)
        g.drawImage(0, 0, texture, Color::white());
    if (wheelOverlay)
        g.drawImage(0, 0, wheelOverlay, glow);
    g.popTransform();
    if (symbolTexture)
        g.drawImage(symbolAt.x, symbolAt.y, symbolTexture, glow);
}
