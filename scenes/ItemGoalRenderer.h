#pragma once
// Base of the goal panels: the widget of a hidden-object scene that tells the
// player what is still to be found. The scene (HOScene::setGoalRenderer)
// attaches one panel at a time and keeps its wanted list in step with the
// item registry; the panel kinds draw the list and follow the finds.
//
// With a resource manager (the scene screen's, holding the scene GUI
// textures) the panel takes "GUI_MAIN" as its background and sits centred at
// the bottom of the 1024 x 768 screen; only the background's opaque pixels
// take the mouse, so a transparent top lets clicks through to the items.
// drawHead draws the counter of wanted entries (showing through a hole of
// the background) and the background. Without a manager, or without the
// textures, the panel keeps its list and draws nothing.
//
// While the game scene chooses the target of a spell, a click on an entry
// makes the item it stands for the target, and the entry under the pointer
// is highlighted.
//
// The panel belongs to its screen's widget list once attached; textures and
// fonts are not owned.
#include "engine/ui/Widget.h"
#include "scenes/GoalEntry.h"

#include <string>
#include <vector>

class Font;
class GLTexture;
class HOScene;
class ItemState;
class ResourceManager;

class ItemGoalRenderer : public Widget {
public:
    static constexpr int ScreenWidth = 1024;
    static constexpr int ScreenHeight = 768;
    // The counter picture and the box of its number, panel-relative.
    static constexpr int CounterX = 836;
    static constexpr int CounterY = 148;

    // Shows group 2 (the items wanted now); no textures.
    ItemGoalRenderer();
    // As above, with the scene GUI textures of `resources` (may be null).
    explicit ItemGoalRenderer(ResourceManager* resources);
    ~ItemGoalRenderer() override;

    // The wanted list has been rebuilt: from scratch when `item` is null (the
    // first show), else because that item left it. Nothing here.
    virtual void refresh(ItemState* item);
    // Called right after the scene was set; nothing here.
    virtual void attachToScene();
    // The entries the panel stands for; here the wanted list.
    virtual const std::vector<GoalEntry>& wantedEntries() const;

    // Inside the panel where the background is not transparent; without a
    // background, inside the rectangle.
    bool hitTest(int x, int y) override;
    // Remembers the entry under the pointer.
    void onMouseMove(MouseEvent* event) override;
    // Hands the entry's item to the scene when it is choosing a target.
    void onMouseRelease(MouseEvent* event) override;

    // The items still to be found, as the scene last rebuilt them.
    std::vector<GoalEntry>& wantedList() { return wanted; }
    // The registry groups the panel lists.
    const std::vector<int>& shownGroups() const { return groups; }
    HOScene* getScene() const { return scene; }
    void setScene(HOScene* owner) { scene = owner; }
    // The entry under the pointer at the last move, -1 for none.
    int getHovered() const { return hovered; }

protected:
    // The entry index at the panel-relative point, -1 for none. None here.
    virtual int entryAt(int x, int y) const;
    // The item the entry stands for, or null. None here.
    virtual ItemState* itemOfEntry(int entry) const;
    // The counter with the number of wanted entries in `font`, then the
    // background.
    void drawHead(Graphics& g, Font* font);
    // The texture of the scene GUI under the id, or null.
    GLTexture* texture(const char* id) const;
    // The entry is the one under the pointer and the scene chooses a target.
    bool isHighlighted(int entry) const;
    // A text centred in the box, white with the alpha.
    static void drawCentred(Graphics& g, Font* font, const WidgetGeometry& box, const std::string& text,
                            uint8_t alpha = 255);

    std::vector<GoalEntry> wanted;
    std::vector<int> groups;
    HOScene* scene = nullptr;             // not owned
    ResourceManager* resources = nullptr;  // not owned
    GLTexture* background = nullptr;       // not owned
    int hovered = -1;
};
