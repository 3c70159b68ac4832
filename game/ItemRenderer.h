#pragma once
// Base of the objects that draw one scene item each. An ItemState owns its
// item's renderer while one is set, and deletes it through this base.
class ItemRenderer {
public:
    ItemRenderer() = default;
    virtual ~ItemRenderer() = default;
    ItemRenderer(const ItemRenderer&) = delete;
    ItemRenderer& operator=(const ItemRenderer&) = delete;
};
