#include "minigames/MgCastingSpells.h"

#include "engine/anim/ActionDelay.h"
#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/core/Log.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/gfx/Image.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "game/ContentTables.h"
#include "minigames/CastSurface.h"
#include "minigames/CastingSpellsFile.h"
#include "minigames/SpellWidget.h"

#include <algorithm>

namespace {

// Action ids of this game.
enum CastingAction : int { TraceGlowAction = 0 };

constexpr int TraceGlowRiseMs = 1000;
constexpr int TraceGlowHoldMs = 500;

} // namespace

const Point MgCastingSpells::TraceCorner(515, 195);

MgCastingSpells::MgCastingSpells(int questId)
    : MiniGameBase(questId)
    , imageFolder("content/images/minigames/CastingSpells/")
    , imageExtension(getParamString("Game.Images.Extension", std::string()))
{
    auto glow = std::make_unique<ActionSequence>();
    glow->add(std::make_unique<Setter<int>>(&traceGlowAlpha, 0));
    glow->add(std::make_unique<RelIncrementator<int>>(Duration(TraceGlowRiseMs), &traceGlowAlpha, 255));
    glow->add(std::make_unique<ActionDelay>(Duration(TraceGlowHoldMs)));
    traceGlow = glow.get();
    addAction(std::move(glow));
}

MgCastingSpells::~MgCastingSpells() = default;

void MgCastingSpells::loadResources()
{
    MiniGameBase::loadResources();
    registerCastingSpellsResources(getResources());
    GLTexture* background = getResources()->findTexture("MG_CASTINGSPELLS_BG");
    Image* live = background ? background->getImage() : nullptr;
    pristine.reset(live ? live->clone() : nullptr);
}

GLTexture* MgCastingSpells::loadImage(const std::string& name)
{
    return addImage(imageFolder + name + imageExtension);
}

void MgCastingSpells::build()
{
    MiniGameBase::build();
    const CastingSpellsDesc desc = CastingSpellsFile::load(CastingSpellsFile::DefaultPath);
    if (!desc.hasSurface)
        return;
    surface = new CastSurface(desc.surface, this);
    addWidget(surface);
    for (const CastingSpellDesc& spell : desc.spells) {
        CastingSpell shape(spell.curve);
        // A curve without length can never be traced: the game could only
        // be skipped.
        if (!shape.getForward().isResampled()) {
            logWarning("casting spells: the spell of \"" + spell.frameImage + "\" has no curve to trace; left out");
            continue;
        }
        auto* widget = new SpellWidget(loadImage(spell.frameImage), loadImage(spell.frameGlowImage),
                                       loadImage(spell.glowImage),
                                       Point(spell.glow.x - spell.frame.x, spell.glow.y - spell.frame.y));
        widget->setPosition(spell.frame.x, spell.frame.y);
        addWidget(widget);
        spellWidgets.push_back(widget);
        spells.push_back(std::move(shape));
    }
}

void MgCastingSpells::onPlayStart()
{
    if (!spellWidgets.empty())
        spellWidgets.front()->startBlink();
}

void MgCastingSpells::onStrokePoint(int x, int y)
{
    GLTexture* brush = getResources()->findTexture("MG_CASTINGSPELLS_BRUSH");
    if (brush)
        queueBlit(x - brush->getWidth() / 2, y - brush->getHeight() / 2);
}

void MgCastingSpells::onStrokeFinished(const StrokeCurve& stroke)
{
    if (current >= static_cast<int>(spells.size()))
        return;
    const CastingSpell& spell = spells[static_cast<size_t>(current)];
    SpellWidget* widget = spellWidgets[static_cast<size_t>(current)];
    lastDistance = spell.distance(stroke);
    if (lastDistance < spell.threshold) {
        widget->feedback(true);
        // The last spell traced wins the game; its glow comes first.
        if (current + 1 >= static_cast<int>(spells.size()))
            markSolved();
        traceGlow->start(this, TraceGlowAction);
        surface->setDrawingEnabled(false);
    } else {
        widget->feedback(false);
        clearPainting();
    }
}

void MgCastingSpells::onActionFinished(int32_t id)
{
    switch (id) {
    case TraceGlowAction:
        clearPainting();
        ++current;
        if (current >= static_cast<int>(spells.size())) {
            onSolved();
            break;
        }
        spellWidgets[static_cast<size_t>(current)]->startBlink();
        surface->setDrawingEnabled(true);
        traceGlowAlpha = 0;
        break;
    default:
        MiniGameBase::onActionFinished(id);
        break;
    }
}

void MgCastingSpells::restorePixels(Image& live, Image& pristineImage)
{
    if (ImageGraphics* g = live.graphics()) {
        const Rect whole(0.f, 0.f, static_cast<float>(pristineImage.getWidth()),
                         static_cast<float>(pristineImage.getHeight()));
        // A plain copy, not a blend: the alpha the brush took must come back
        // exactly.
        g->blit(0, 0, &pristineImage, whole, false);
    }
}

void MgCastingSpells::clearPainting()
{
    clearBlitQueue();
    GLTexture* background = getResources()->findTexture("MG_CASTINGSPELLS_BG");
    Image* live = background ? background->getImage() : nullptr;
    if (!live || !pristine)
        return;
    background->releaseGpu();
    restorePixels(*live, *pristine);
    background->upload();
}

void MgCastingSpells::drawBackground(Graphics& g)
{
    ResourceManager* res = getResources();
    if (GLTexture* trace = res->findTexture("MG_CASTINGSPELLS_TRACE"))
        g.drawImage(TraceCorner.x, TraceCorner.y, trace, Color::white());
    if (GLTexture* glow = res->findTexture("MG_CASTINGSPELLS_TRACE_GLOW"))
        g.drawImage(TraceCorner.x, TraceCorner.y, glow,
                    Color(255, 255, 255, static_cast<uint8_t>(std::clamp(traceGlowAlpha, 0, 255))));
    if (GLTexture* background = res->findTexture("MG_CASTINGSPELLS_BG"))
        g.drawImage(0, 0, background, Color::white());
}

std::string MgCastingSpells::puzzleState() const
{
    std::string out = "spell=" + std::to_string(current) + "/" + std::to_string(spells.size());
    out += surface && surface->isDrawingEnabled() ? " surface=on" : " surface=off";
    out += " last=" + std::to_string(static_cast<int>(lastDistance));
    return out;
}
