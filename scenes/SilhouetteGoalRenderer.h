#pragma once
// The goal panel that shows the wanted items as silhouettes in a row: the
// picture folder + "Game.Images.Silhouettes.Prefix" + the item's picture,
// loaded on the first refresh into the item renderer's filtered texture 10
// and drawn scaled to at most 84 pixels over its box. When a shown item is
// found, the silhouettes after it slide one place to the left (500 ms).
//
// Tuning keys: "SilhouetteRenderer.RenderedItemNameCount" (how many are
// shown), ".BgPosX", ".BgPosY" (the first place) and ".SilhouetteWidth" (the
// place pitch is this + 4). Missing or negative values take the defaults
// below. A silhouette file that cannot be loaded, or an item drawn by a
// renderer without textures, shows the box alone.
#include "engine/anim/ActionListener.h"
#include "scenes/ItemGoalRenderer.h"

#include <memory>
#include <vector>

class ParalelAction;

class SilhouetteGoalRenderer : public ItemGoalRenderer, public ActionListener {
public:
    static constexpr int SilhouetteTexture = 10;
    static constexpr int MaxSide = 84;
    static constexpr int SlideMs = 500;
    static constexpr int DefaultCount = 6;
    static constexpr int DefaultX = 216;
    static constexpr int DefaultY = 134;
    static constexpr int DefaultWidth = 84;

    explicit SilhouetteGoalRenderer(ResourceManager* resources);
    ~SilhouetteGoalRenderer() override;

    void refresh(ItemState* item) override;
    // The entries shown.
    const std::vector<GoalEntry>& wantedEntries() const override;
    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    void onActionFinished(int32_t id) override;

    int shownCount() const { return count; }
    const std::vector<Point>& currentPlaces() const { return current; }
    const std::vector<Point>& targetPlaces() const { return targets; }

protected:
    int entryAt(int x, int y) const override;
    ItemState* itemOfEntry(int entry) const override;

private:
    void loadSilhouettes();

    int count = DefaultCount;
    std::vector<Point> targets;
    std::vector<Point> current;
    std::vector<GoalEntry> shown;
    std::unique_ptr<ParalelAction> slide;
};
