#pragma once
// The goal panel that stacks like items in six places (3 x 2): key items
// (typeId 100 to 250) of one typeId share a stack that reads "name x n", and
// the remaining places take single ordinary items from the end of the wanted
// list. When a stack empties, the stack below a top-row place moves up into
// it and the next waiting item comes in from 27 pixels below the freed
// place, sliding for 500 ms.
//
// The stacks are built on the first refresh with null only. Key typeIds
// beyond the six places get no stack of their own; their items come in as
// waiting items when places free up. An item's state id is the place of its
// stack (-1 waiting, -2 found).
#include "engine/anim/ActionListener.h"
#include "scenes/ItemGoalRenderer.h"

#include <array>
#include <memory>
#include <set>
#include <string>

class ParalelAction;

class CountStackGoalRenderer : public ItemGoalRenderer, public ActionListener {
public:
    static constexpr int Places = 6;
    static constexpr int SlideMs = 500;
    static constexpr int RowStep = 27;

    struct ItemStack {
        bool active = false;
        uint8_t alpha = 255;
        bool keyStack = false;
        int x = 0, y = 0;
        std::string name;
        std::set<ItemState*> items;
    };

    explicit CountStackGoalRenderer(ResourceManager* resources);
    ~CountStackGoalRenderer() override;

    void refresh(ItemState* item) override;
    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    void onActionFinished(int32_t id) override;

    const std::array<ItemStack, Places>& getStacks() const { return stacks; }
    // The text a stack shows.
    static std::string textOf(const ItemStack& stack);
    static Point placeOf(int place);

protected:
    int entryAt(int x, int y) const override;
    ItemState* itemOfEntry(int entry) const override;

private:
    void build();
    void openStack(int place, ItemState* item, bool key);

    std::array<ItemStack, Places> stacks;
    bool built = false;
    std::unique_ptr<ParalelAction> slide;
};
