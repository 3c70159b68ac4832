#pragma once
// The spell-tracing minigame (quest 52). Spell pictures stand on the left;
// the one blinking is the spell to cast, and the player traces its shape
// with the mouse in the drawing area, where the brush wipes the background
// away to show the trace picture below. Each finished stroke is compared
// with the spell's curve (CastingSpell, StrokeCurve): a good one lights the
// spell's mark, makes the trace glow for 1000 ms, waits 500 ms, wipes the
// painting and moves on to the next spell; a bad one flashes the mark red
// and wipes the painting at once. The last spell cast solves the puzzle.
//
// Layout and spells come from "content/config/minigames/CastingSpells/
// game.xml" (CastingSpellsFile); pictures from
// "content/images/minigames/CastingSpells/" + name + "Game.Images.Extension"
// and the registered "MG_CASTINGSPELLS_*" textures. Without a usable file
// the screen shows its pictures and the frame's buttons and can only be
// skipped.
#include "minigames/CastSurfaceListener.h"
#include "minigames/CastingSpell.h"
#include "minigames/MiniGameBase.h"

#include <memory>
#include <string>
#include <vector>

class Action;
class CastSurface;
class Image;
class SpellWidget;

class MgCastingSpells : public MiniGameBase, public CastSurfaceListener {
public:
    // The trace and its glow lie under the background at this corner.
    static const Point TraceCorner;

    explicit MgCastingSpells(int questId);
    ~MgCastingSpells() override;

    // 0: the trace glow is over: wipe, next spell (or solved). 1122: the
    // finished message.
    void onActionFinished(int32_t id) override;
    // Judges the stroke against the current spell.
    void onStrokeFinished(const StrokeCurve& stroke) override;
    // A brush stamp centred on the point.
    void onStrokePoint(int x, int y) override;

    // The current spell, how many there are, whether the surface takes
    // strokes and the last stroke's distance.
    std::string puzzleState() const override;

    int getCurrentSpell() const { return current; }
    const std::vector<CastingSpell>& getSpells() const { return spells; }
    const std::vector<SpellWidget*>& getSpellWidgets() const { return spellWidgets; }
    // Null without a usable description file.
    CastSurface* getSurface() const { return surface; }
    int getTraceGlowAlpha() const { return traceGlowAlpha; }
    float getLastDistance() const { return lastDistance; }

    // Copies every pixel of `pristine` over `live` (same size and format),
    // alpha included: wiping the painting.
    static void restorePixels(Image& live, Image& pristine);

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    // The first spell starts blinking.
    void onPlayStart() override;

private:
    GLTexture* loadImage(const std::string& name);
    // The background back as it was loaded, and no stamp pending.
    void clearPainting();

    std::string imageFolder;
    std::string imageExtension;
    std::vector<CastingSpell> spells;
    std::vector<SpellWidget*> spellWidgets;  // owned by the screen
    CastSurface* surface = nullptr;          // owned by the screen
    int current = 0;
    // The background's pixels as loaded.
    std::unique_ptr<Image> pristine;
    int traceGlowAlpha = 0;
    // Owned by the frame's action list.
    Action* traceGlow = nullptr;
    float lastDistance = -1.f;
};
