#include "scenes/SpellFireBall.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/gfx/ImageFilter.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"
#include "scenes/HintRenderer.h"
#include "scenes/TexItemRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

const SilhouetteImageFilter silhouetteFilter;

int randomModulo(int n)
{
    return std::rand() % std::max(1, n);
}

TexItemRenderer* texRendererOf(ItemState* item)
{
    return item ? dynamic_cast<TexItemRenderer*>(item->renderer.get()) : nullptr;
}

} // namespace

SpellFireBall::SpellFireBall(GLTexture* particleTexture, int32_t particleCount, ScreenBase* host)
    : ParticleEmmiter(particleTexture, particleCount)
    , screen(host)
{
}

SpellFireBall::~SpellFireBall() = default;

GLTexture* SpellFireBall::silhouetteOf(ItemState* item, ResourceManager* manager)
{
    TexItemRenderer* renderer = texRendererOf(item);
    if (!renderer)
        return nullptr;
    // The filter only reads its argument: the shared const instance serves
    // every copy.
    renderer->makeFilteredTexture(SilhouetteCopyId, const_cast<SilhouetteImageFilter*>(&silhouetteFilter), manager);
    return renderer->filteredTexture(SilhouetteCopyId);
}

void SpellFireBall::emit(const Particle& settings)
{
    ParticleEmmiter::emit(settings);
    targetCloud.assign(particles.size(), Particle());
    for (Particle& p : targetCloud)
        spawn(p, dstX, dstY);
}

void SpellFireBall::respawnAll()
{
    for (Particle& p : particles)
        spawn(p, srcX, srcY);
    for (Particle& p : targetCloud)
        spawn(p, dstX, dstY);
}

void SpellFireBall::scatterAtTarget()
{
    for (Particle& p : targetCloud) {
        p.x = static_cast<float>(randomModulo(spawnRangeX + 1)) + dstX - static_cast<float>(spawnRangeX);
        p.y = static_cast<float>(randomModulo(spawnRangeY + 1)) + dstY - static_cast<float>(spawnRangeY);
    }
}

void SpellFireBall::castAt(ItemState* item, int offset)
{
    stopFlight(FlightId);
    stopFlight(EffectId);
    offsetX = offset;
    if (item && item->item) {
        const WidgetGeometry& box = item->renderer ? item->renderer->geometry() : WidgetGeometry();
        dstX = item->item->x + static_cast<float>(box.w / 2 + offsetX);
        dstY = item->item->y + static_cast<float>(box.h / 2);
        silhouetteOf(item, resources);
    }
    respawnAll();
    target = item;
    const int ms = static_cast<int>(1.3f * std::hypot(dstX - srcX, dstY - srcY));
    auto flight = std::make_unique<ParalelAction>();
    flight->add(std::make_unique<RelIncrementator<float>>(Duration(ms), &srcX, dstX - srcX));
    flight->add(std::make_unique<RelIncrementator<float>>(Duration(ms), &srcY, dstY - srcY));
    flights.push_back(std::move(flight));
    active = true;
    phase = Flying;
    flights.back()->start(this, FlightId);
}

void SpellFireBall::startEffect(std::unique_ptr<Action> effect)
{
    flights.push_back(std::move(effect));
    flights.back()->start(this, EffectId);
}

void SpellFireBall::stopFlight(int id)
{
    for (auto& flight : flights)
        if (flight->isRunning() && flight->getId() == id)
            flight->stop();
    if (id == FlightId || id == EffectId) {
        target = nullptr;
        highlight = nullptr;
        highlightAlpha = 0;
        phase = Idle;
        active = false;
    }
    respawnAll();
}

void SpellFireBall::onActionFinished(int32_t id)
{
    if (id == FlightId) {
        highlightAlpha = 255;
        highlight = silhouetteOf(target, resources);
        onArrived();
        scatterAtTarget();
    } else if (id == EffectId) {
        target = nullptr;
        highlight = nullptr;
        highlightAlpha = 0;
        phase = Idle;
        active = false;
    }
}

void SpellFireBall::onArrived()
{
    if (owner)
        owner->onArrived();
}

void SpellFireBall::advance(int dt)
{
    // Finished flights are dropped only here, outside their own update.
    for (size_t i = 0; i < flights.size(); ++i)
        flights[i]->update(dt);
    flights.erase(std::remove_if(flights.begin(), flights.end(), [](const auto& f) { return !f->isRunning(); }),
                  flights.end());
    if (!active)
        return;
    for (Particle& p : particles) {
        const bool faded = age(p, dt);
        p.colour = Color(255, 255, 255, static_cast<uint8_t>(std::clamp(p.alpha, 0, 255)));
        if (faded && phase != AtTarget)
            spawn(p, srcX, srcY);
    }
    if (phase != AtTarget)
        return;
    for (Particle& p : targetCloud) {
        age(p, dt);
        p.colour = Color(255, 255, 255, static_cast<uint8_t>(std::clamp(p.alpha, 0, 255)));
    }
}

void SpellFireBall::render(Graphics& g)
{
    if (!active)
        return;
    if (highlight && target && target->item)
        g.drawImage(static_cast<int>(target->item->x) + offsetX, static_cast<int>(target->item->y), highlight,
                    Color(tint.r, tint.g, tint.b, static_cast<uint8_t>(std::clamp(highlightAlpha, 0, 255))));
    if (!texture || phase == Idle)
        return;
    const float hw = static_cast<float>(texture->getWidth()) / 2.0f;
    const float hh = static_cast<float>(texture->getHeight()) / 2.0f;
    for (const Particle& p : particles)
        drawParticle(g, p, p.x - hw, p.y - hh);
    if (phase == AtTarget)
        for (const Particle& p : targetCloud)
            drawParticle(g, p, p.x - hw, p.y - hh);
}
