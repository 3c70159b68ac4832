#include "scenes/SilhouetteGoalRenderer.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "game/ContentTables.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"
#include "scenes/TexItemRenderer.h"

#include <algorithm>

namespace {

int nonNegative(const char* key, int def)
{
    const int value = getParamInt(key, def);
    return value < 0 ? def : value;
}

TexItemRenderer* texRendererOf(const GoalEntry& entry)
{
    return entry.item ? dynamic_cast<TexItemRenderer*>(entry.item->renderer.get()) : nullptr;
}

} // namespace

SilhouetteGoalRenderer::SilhouetteGoalRenderer(ResourceManager* manager) : ItemGoalRenderer(manager)
{
    count = nonNegative("SilhouetteRenderer.RenderedItemNameCount", DefaultCount);
    const int x = nonNegative("SilhouetteRenderer.BgPosX", DefaultX);
    const int y = nonNegative("SilhouetteRenderer.BgPosY", DefaultY);
    const int width = nonNegative("SilhouetteRenderer.SilhouetteWidth", DefaultWidth);
    for (int i = 0; i <= count; ++i)
        targets.push_back(Point{x + i * (width + 4), y});
    current = targets;
}

SilhouetteGoalRenderer::~SilhouetteGoalRenderer() = default;

const std::vector<GoalEntry>& SilhouetteGoalRenderer::wantedEntries() const
{
    return shown;
}

void SilhouetteGoalRenderer::loadSilhouettes()
{
    const std::string prefix = getParamString("Game.Images.Silhouettes.Prefix", "Sil_");
    for (const GoalEntry& entry : wanted) {
        TexItemRenderer* renderer = texRendererOf(entry);
        if (!renderer || !resources || !entry.item->item || renderer->filteredTexture(SilhouetteTexture))
            continue;
        auto* silhouette = new GLTexture(entry.item->item->folder + prefix + entry.item->item->image);
        resources->addTexture(silhouette);
        renderer->setFilteredTexture(SilhouetteTexture, silhouette);
    }
}

void SilhouetteGoalRenderer::refresh(ItemState* item)
{
    if (item && std::none_of(shown.begin(), shown.end(), [item](const GoalEntry& e) { return e.item == item; }))
        return;
    const std::vector<GoalEntry> old = shown;
    shown.clear();
    const size_t limit = std::min(wanted.size(), static_cast<size_t>(count));
    for (const GoalEntry& entry : wanted) {
        if (shown.size() >= limit)
            break;
        if (!entry.item || !entry.item->renderer)
            continue;
        entry.item->renderer->setDecoratorEnabled(true);
        shown.push_back(entry);
    }
    if (old.empty()) {
        loadSilhouettes();
        return;
    }
    size_t k = 0;
    while (k < old.size() && k < shown.size() && old[k].item == shown[k].item && old[k].group == shown[k].group)
        ++k;
    if (k >= old.size())
        return;
    // The places from the found one on start where their right neighbours
    // are and slide back.
    for (size_t i = k; i + 1 < current.size(); ++i)
        current[i] = current[i + 1];
    if (slide)
        slide->stop();
    slide = std::make_unique<ParalelAction>();
    for (size_t i = 0; i + 1 < current.size(); ++i)
        if (targets[i].x != current[i].x)
            slide->add(std::make_unique<RelIncrementator<int>>(Duration(SlideMs), &current[i].x,
                                                               targets[i].x - current[i].x));
    slide->start(this, 0);
}

void SilhouetteGoalRenderer::update(int dt, ScreenBase*)
{
    if (slide)
        slide->update(dt);
}

void SilhouetteGoalRenderer::onActionFinished(int32_t) {}

void SilhouetteGoalRenderer::draw(Graphics& g, ScreenBase*)
{
    drawHead(g, FONT_TIMES16);
    const Color white(255, 255, 255, 255);
    GLTexture* box = texture("GUI_BG_SIL_N");
    GLTexture* over = texture("GUI_BG_SIL_O");
    for (size_t e = 0; e < shown.size() && e < current.size(); ++e) {
        const Point at = current[e];
        GLTexture* look = isHighlighted(static_cast<int>(e)) && over ? over : box;
        if (look)
            g.drawImage(at.x, at.y, look, white);
        TexItemRenderer* renderer = texRendererOf(shown[e]);
        GLTexture* silhouette = renderer ? renderer->filteredTexture(SilhouetteTexture) : nullptr;
        if (!silhouette || silhouette->getWidth() <= 0 || silhouette->getHeight() <= 0)
            continue;
        const float w = static_cast<float>(silhouette->getWidth());
        const float h = static_cast<float>(silhouette->getHeight());
        const float s = std::min(1.0f, static_cast<float>(MaxSide) / std::max(w, h));
        g.pushTransform();
        g.translate(static_cast<float>(at.x) + s * w / 2, static_cast<float>(at.y) + s * h / 2);
        g.scale(s, s);
        g.translate(-w / 2, -h / 2);
        g.drawImage(0, 0, silhouette, white);
        g.popTransform();
    }
}

int SilhouetteGoalRenderer::entryAt(int x, int y) const
{
    int hit = -1;
    for (size_t i = 0; i < current.size() && i < shown.size(); ++i)
        if (x >= current[i].x && x < current[i].x + 64 && y >= current[i].y && y < current[i].y + 64)
            hit = static_cast<int>(i);
    return hit;
}

ItemState* SilhouetteGoalRenderer::itemOfEntry(int entry) const
{
    return entry >= 0 && entry < static_cast<int>(shown.size()) ? shown[static_cast<size_t>(entry)].item : nullptr;
}
