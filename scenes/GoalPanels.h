#pragma once
// The goal panel a hidden-object step's identifier names:
// "STACKED_ITEM_LIST" (configured by the label its first rule names),
// "FIND_X_ITEMS" (one slot per rule), "SHILHOUETTE_ITEM_LIST" and
// "COUNT_STACK_RENDERER".
class ItemGoalRenderer;
class ResourceManager;
struct MechanicsStep;

// A new panel (the caller takes it), or null for another identifier.
ItemGoalRenderer* makeGoalPanel(ResourceManager* resources, const MechanicsStep& step);
