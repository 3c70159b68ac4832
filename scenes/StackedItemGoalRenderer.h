#pragma once
// The goal panel that lists item names in a grid of lines (rows, or columns
// when "vertical"), read from the tuning keys "StackedRenderer." + configName
// + ".rows", ".columns", ".renderedItems", ".vertical", ".iSpaceVal",
// ".jSpaceVal" and ".yOffset". When an item is found the entries after it
// slide up one place within its line (500 ms), and when more items are
// wanted than shown the next one enters at the end of that line. The
// configuration "Configuration2" draws the framed look (scroll background and
// docks).
//
// Out-of-range settings are mended at construction: rows and columns below 1
// take 2 and 3, and renderedItems is kept within 1 .. rows x columns, so the
// panel never reads outside its lists. Entries are ordered by their item's
// state id, which the panel rewrites as entries move.
#include "engine/anim/ActionListener.h"
#include "scenes/ItemGoalRenderer.h"

#include <memory>
#include <string>
#include <vector>

class ParalelAction;

class StackedItemGoalRenderer : public ItemGoalRenderer, public ActionListener {
public:
    static constexpr int SlideMs = 500;

    // One place of the grid that shows an entry.
    struct Slot {
        int stateId = -1;  // -1: empty
        int index = 0;
        uint8_t alpha = 255;
        int x = 0, y = 0;
        std::string text;
    };

    StackedItemGoalRenderer(ResourceManager* resources, const std::string& configName);
    ~StackedItemGoalRenderer() override;

    void refresh(ItemState* item) override;
    // The entries shown.
    const std::vector<GoalEntry>& wantedEntries() const override;
    void update(int dt, ScreenBase* screen) override;
    void draw(Graphics& g, ScreenBase* screen) override;
    void onActionFinished(int32_t id) override;

    const std::string& getConfigName() const { return configName; }
    int lineCount() const { return lines; }
    int perLine() const { return perLineCount; }
    int getRenderedItems() const { return renderedItems; }
    const std::vector<Slot>& getSlots() const { return slots; }
    bool isSliding() const;

protected:
    int entryAt(int x, int y) const override;
    ItemState* itemOfEntry(int entry) const override;

private:
    void readSettings();
    void rebuildShown();
    // The first changed place, the state ids moved and the slots refilled
    // after `found` left the list; then the slide.
    void followFind(ItemState* found, const std::vector<GoalEntry>& old);
    void showEntryInSlot(Slot& slot, const GoalEntry* entry);
    void startSlide(int firstSlot);
    Point restOf(int slot) const;
    Point positionAt(int line, int place) const;

    std::string configName;
    int rows = 2;
    int columns = 3;
    int renderedItems = 6;
    bool vertical = false;
    int iSpace = 0;
    int jSpace = 0;
    int yOffset = 0;
    int lines = 2;
    int perLineCount = 3;
    std::vector<GoalEntry> shown;
    std::vector<Slot> slots;
    std::unique_ptr<ParalelAction> slide;
};
