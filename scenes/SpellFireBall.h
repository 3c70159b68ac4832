#pragma once
// The flying particle ball of the visibility and vision spells: a particle
// cloud that flies from its source to a target point in 1.3 ms per pixel
// (phase 0), then shows the target item's white silhouette (a filtered copy
// of its picture) tinted over the item, and a second cloud around the
// target that fades without being reborn (phase 1, ended by the subclass's
// effect, id 1). Without an item the ball flies to the point set before and
// tells its hint when it arrives.
//
// Particles are values; nothing is allocated per frame once emitted. The
// texture, the silhouette copy (owned by the resource manager) and the
// target are not owned; the flight actions are.
#include "engine/anim/ActionListener.h"
#include "scenes/ParticleEmmiter.h"

#include <memory>
#include <vector>

class Action;
class HintRenderer;
class ItemState;
class ResourceManager;
class ScreenBase;

class SpellFireBall : public ParticleEmmiter, public ActionListener {
public:
    enum Phase { Idle = -1, Flying = 0, AtTarget = 1 };
    enum ActionId { FlightId = 0, EffectId = 1 };
    // The filter id of the white silhouette copy of an item's picture.
    static constexpr int SilhouetteCopyId = 0;

    SpellFireBall(GLTexture* texture, int32_t count, ScreenBase* screen);
    ~SpellFireBall() override;

    // The emitter's emit, then as many target-cloud particles around the
    // target point.
    void emit(const Particle& settings) override;
    void advance(int dt) override;
    void render(Graphics& g) override;
    void onActionFinished(int32_t id) override;

    void setSource(float x, float y) { srcX = x, srcY = y; }
    void setTarget(float x, float y) { dstX = x, dstY = y; }
    // Flies to the item's centre (shifted by the panorama offset), or to
    // the target point without an item.
    virtual void castAt(ItemState* item, int offsetX);
    virtual void onArrived();
    // Stops the flights of the id; for ids 0 and 1 the ball goes idle.
    void stopFlight(int id);
    void respawnAll();
    void scatterAtTarget();
    void setResourceManager(ResourceManager* manager) { resources = manager; }
    void setOwner(HintRenderer* hint) { owner = hint; }
    void setTint(Color c) { tint = c; }

    int getPhase() const { return phase; }
    float getSourceX() const { return srcX; }
    float getSourceY() const { return srcY; }
    ItemState* getTarget() const { return target; }
    int getHighlightAlpha() const { return highlightAlpha; }

    // The white silhouette copy of the item's picture, made once in
    // `resources` (null when the item has no textured renderer).
    static GLTexture* silhouetteOf(ItemState* item, ResourceManager* resources);

protected:
    void startEffect(std::unique_ptr<Action> effect);

    int32_t highlightAlpha = 0;
    int phase = Idle;
    int offsetX = 0;
    float srcX = 0, srcY = 0, dstX = 0, dstY = 0;
    ItemState* target = nullptr;     // not owned
    GLTexture* highlight = nullptr;  // owned by the resource manager
    ResourceManager* resources = nullptr;
    ScreenBase* screen;              // not owned
    Color tint{255, 252, 255, 255};
    std::vector<std::unique_ptr<Action>> flights;
    std::vector<Particle> targetCloud;
    HintRenderer* owner = nullptr;   // not owned
};
