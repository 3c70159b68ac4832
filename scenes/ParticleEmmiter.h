#pragma once
// A cloud of textured particles: each lives a random share of the emitted
// lifetime, moves by its velocity every update (the velocity changing by the
// acceleration), fades and shrinks as it ages and is reborn at the emission
// point when it has faded out, so the number of particles never changes.
//
// emit() fixes the particle count's settings; until then there are no
// particles. A particle's speed is the emitted one less a random share of up
// to about |speed| * 200 steps of the spread, so a negative speed (a rising
// flame) grows faster at random as a positive one slows. No modulus is 0: a
// lifetime below 1 counts as 1 ms, a speed between -0.01 and 0 gets no
// random share, a negative spawn range emits from the point itself.
//
// The emitter is a widget (the spell fire balls are added to the screen);
// the particle item renderers own one and call advance() and render()
// themselves. The texture is not owned.
#include "engine/core/Types.h"
#include "engine/ui/Widget.h"
#include "scenes/Particle.h"

#include <cstdint>
#include <vector>

class GLTexture;

class ParticleEmmiter : public Widget {
public:
    // Input off; no particles until emit().
    ParticleEmmiter(GLTexture* texture, int32_t count);
    ~ParticleEmmiter() override;

    // Takes vx, vy, ax, ay and the lifetime of the settings and makes `count`
    // new particles around (0, 0) (see the class comment).
    virtual void emit(const Particle& settings);
    // Ages, moves and recolours every particle, rebirthing the faded ones;
    // nothing while inactive.
    virtual void advance(int dt);
    // Draws every particle; nothing while inactive or without a texture.
    virtual void render(Graphics& g);

    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;

    void setActive(bool on) { active = on; }
    bool isActive() const { return active; }
    const std::vector<Particle>& getParticles() const { return particles; }
    GLTexture* getTexture() const { return texture; }
    void setTexture(GLTexture* t) { texture = t; }
    // The number of particles the next emit() makes.
    void setCount(int32_t n) { count = n < 0 ? 0 : n; }

    // Settings the owner writes before emit() (see the renderers' tuning
    // keys).
    float spreadX = 0.01f, spreadY = 0.01f;
    float baseScale = 1.0f;
    int32_t r = 255, g = 255, b = 0;
    int32_t spawnRangeX = 0, spawnRangeY = 0;
    // When set, receives the alpha of every particle updated (a colour
    // channel that follows the fading); not owned.
    int32_t* alphaOut = nullptr;

protected:
    // A particle placed at random within the spawn range around (cx, cy),
    // with the emitted speeds and lifetime.
    void spawn(Particle& p, float cx, float cy) const;
    // Age step shared by the emitter and the fire balls: true when the
    // particle has faded out.
    bool age(Particle& p, int dt) const;
    void drawParticle(Graphics& g, const Particle& p, float x, float y) const;

    bool active = false;
    float vx0 = 0, vy0 = 0, ax = 0, ay = 0;
    int32_t lifetime = 1;
    int32_t count;
    GLTexture* texture;  // not owned
    std::vector<Particle> particles;
};
