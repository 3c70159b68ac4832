#include "scenes/ParticleEmmiter.h"

#include "engine/core/Numbers.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"

#include <algorithm>
#include <cstdlib>

namespace {

// rand() % n with n at least 1.
int randomModulo(int n)
{
    return std::rand() % std::max(1, n);
}

// The random part of a speed: rand() % (int)(speed * 200 + 1) steps of
// `spread`. For a negative speed the divisor is negative and the remainder
// takes the sign of rand(), never negative: a speed of -0.8 with a spread of
// 0.01 gives -0.8 down to -2.38. A divisor of 0 (a speed between -0.01 and
// 0, or not a number) gives no share; one beyond int's range is cut to it.
float speedShare(float speed, float spread)
{
    const int n = toIntSaturated(speed * 200.0f + 1.0f);
    if (n == 0)
        return 0.0f;
    return static_cast<float>(std::rand() % n) * spread;
}

} // namespace

ParticleEmmiter::ParticleEmmiter(GLTexture* particleTexture, int32_t particleCount)
    : count(std::max(0, particleCount))
    , texture(particleTexture)
{
    enabled = 0;
}

ParticleEmmiter::~ParticleEmmiter() = default;

void ParticleEmmiter::spawn(Particle& p, float cx, float cy) const
{
    p.age = 0;
    p.lifetime = lifetime - randomModulo(lifetime);
    p.x = static_cast<float>(randomModulo(spawnRangeX + 1) - spawnRangeX) + cx;
    p.y = static_cast<float>(randomModulo(spawnRangeY + 1) - spawnRangeY) + cy;
    p.vx = vx0 - speedShare(vx0, spreadX);
    p.vy = vy0 - speedShare(vy0, spreadY);
    p.ax = ax;
    p.ay = ay;
    p.alpha = 255;
    p.colour = Color::white();
}

void ParticleEmmiter::emit(const Particle& settings)
{
    vx0 = settings.vx;
    vy0 = settings.vy;
    ax = settings.ax;
    ay = settings.ay;
    lifetime = std::max(1, settings.lifetime);
    particles.assign(static_cast<size_t>(count), Particle());
    for (Particle& p : particles) {
        spawn(p, 0, 0);
        p.scale = (static_cast<float>(std::rand() % 100 - 50) * 0.01f + 1.0f) * baseScale;
    }
}

bool ParticleEmmiter::age(Particle& p, int dt) const
{
    p.age += dt;
    const float f = p.age > p.lifetime ? 1.0f : static_cast<float>(p.age) / static_cast<float>(std::max(1, p.lifetime));
    p.alpha = static_cast<int32_t>(255.0f - 255.0f * f);
    p.scale = (1.0f - f) * baseScale;
    if (alphaOut)
        *alphaOut = p.alpha;
    p.x += p.vx;
    p.y += p.vy;
    p.vx += p.ax;
    p.vy += p.ay;
    return p.alpha < 1;
}

void ParticleEmmiter::advance(int dt)
{
    if (!active)
        return;
    for (Particle& p : particles) {
        const bool faded = age(p, dt);
        p.colour = Color(static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b),
                         static_cast<uint8_t>(std::clamp(p.alpha, 0, 255)));
        if (faded) {
            spawn(p, 0, 0);
            p.scale = baseScale;
        }
    }
}

void ParticleEmmiter::render(Graphics& gr)
{
    if (!active || !texture)
        return;
    const float hw = static_cast<float>(texture->getWidth()) / 2.0f;
    const float hh = static_cast<float>(texture->getHeight()) / 2.0f;
    for (const Particle& p : particles) {
        gr.pushTransform();
        gr.translate(p.x + hw, p.y + hh);
        gr.scale(p.scale, p.scale);
        gr.translate(p.x - hw, p.y - hh);
        gr.drawImage(spawnRangeX, spawnRangeY, texture, p.colour);
        gr.popTransform();
    }
}

void ParticleEmmiter::drawParticle(Graphics& gr, const Particle& p, float x, float y) const
{
    gr.pushTransform();
    gr.translate(x, y);
    gr.scale(p.scale, p.scale);
    gr.drawImage(0, 0, texture, p.colour);
    gr.popTransform();
}

void ParticleEmmiter::update(int dt, ScreenBase*)
{
    advance(dt);
}

void ParticleEmmiter::draw(Graphics& gr, ScreenBase*)
{
    render(gr);
}
