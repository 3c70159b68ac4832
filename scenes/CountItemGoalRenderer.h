#pragma once
// The goal panel that names what to find with counts: one 200 x 24 slot per
// name of the step's Collect rules, the row centred on x 516. Each slot
// stands for one typeId (the smallest typeIds of the wanted items, one each)
// and reads the name of the last wanted item of that typeId, followed by
// " x " and their number when more than one is wanted ("Feather x 3",
// "Feather x 2", "Feather"); a slot with nothing left is empty.
#include "engine/anim/ActionListener.h"
#include "scenes/ItemGoalRenderer.h"

#include <set>
#include <string>
#include <vector>

class CountItemGoalRenderer : public ItemGoalRenderer, public ActionListener {
public:
    struct NameSlot {
        int index = 0;
        int typeId = -1;  // -1: none
        WidgetGeometry box;
        std::string text;
    };

    CountItemGoalRenderer(ResourceManager* resources, const std::vector<std::string>& names);
    ~CountItemGoalRenderer() override;

    void refresh(ItemState* item) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    void onActionFinished(int32_t id) override;

    const std::vector<NameSlot>& getSlots() const { return slots; }

protected:
    int entryAt(int x, int y) const override;
    ItemState* itemOfEntry(int entry) const override;

private:
    std::vector<NameSlot> slots;
    // The items of the first refresh: finds of other items are ignored.
    std::set<const ItemState*> firstWanted;
};
