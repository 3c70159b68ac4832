#pragma once
// What every item renderer creator is given: the scene that will own the
// renderer and the item it draws. Neither is owned.
class ItemRendererOwner;
class ItemState;

struct ItemRendererCreatorArg {
    ItemRendererOwner* owner = nullptr;
    ItemState* item = nullptr;
};
