#pragma once
// Base of the goal panels: the widget of a hidden-object scene that tells the
// player what is still to be found. The scene (HOScene::setGoalRenderer)
// attaches one panel at a time and keeps its wanted list in step with the
// item registry; the panel kinds draw the list and follow the finds. This
// base keeps the list and draws nothing.
//
// The panel belongs to its screen's widget list once attached.
#include "engine/ui/Widget.h"
#include "scenes/GoalEntry.h"

#include <vector>

class HOScene;
class ItemState;

class ItemGoalRenderer : public Widget {
public:
    // Shows group 2 (the items wanted now).
    ItemGoalRenderer();
    ~ItemGoalRenderer() override;

    // The wanted list has been rebuilt: from scratch when `item` is null (the
    // first show), else because that item left it. Nothing here.
    virtual void refresh(ItemState* item);
    // Called right after the scene was set; nothing here.
    virtual void attachToScene();
    // The entries the panel stands for; here the wanted list.
    virtual const std::vector<GoalEntry>& wantedEntries() const;

    // The items still to be found, as the scene last rebuilt them.
    std::vector<GoalEntry>& wantedList() { return wanted; }
    // The registry groups the panel lists.
    const std::vector<int>& shownGroups() const { return groups; }
    HOScene* getScene() const { return scene; }
    void setScene(HOScene* owner) { scene = owner; }

protected:
    std::vector<GoalEntry> wanted;
    std::vector<int> groups;
    HOScene* scene = nullptr;  // not owned
};
