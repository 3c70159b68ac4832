#include "scenes/CountStackGoalRenderer.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "game/ContentTables.h"
#include "game/ItemRenderer.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"

#include <algorithm>
#include <map>

namespace {

bool isKeyType(const ItemState* item)
{
    return item && item->item && item->item->typeId >= 100 && item->item->typeId <= 250;
}

void enableRenderer(ItemState* item)
{
    if (item && item->renderer)
        item->renderer->setDecoratorEnabled(true);
}

} // namespace

CountStackGoalRenderer::CountStackGoalRenderer(ResourceManager* manager) : ItemGoalRenderer(manager) {}

CountStackGoalRenderer::~CountStackGoalRenderer() = default;

Point CountStackGoalRenderer::placeOf(int place)
{
    return Point{216 + 202 * (place % 3), 144 + RowStep * (place / 3)};
}

std::string CountStackGoalRenderer::textOf(const ItemStack& stack)
{
    if (stack.keyStack && stack.items.size() >= 2)
        return stack.name + " x " + std::to_string(stack.items.size());
    return stack.name;
}

void CountStackGoalRenderer::openStack(int place, ItemState* item, bool key)
{
    ItemStack& stack = stacks[static_cast<size_t>(place)];
    stack = ItemStack();
    stack.active = true;
    stack.keyStack = key;
    stack.name = item->item ? item->item->name : std::string();
    const Point at = placeOf(place);
    stack.x = at.x;
    stack.y = at.y;
}

void CountStackGoalRenderer::build()
{
    built = true;
    for (GoalEntry& entry : wanted)
        entry.item->stateId = -1;
    for (ItemStack& stack : stacks)
        stack = ItemStack();
    // Key items, stacked by typeId in list order.
    std::map<int, int> placeOfType;
    int next = 0;
    for (GoalEntry& entry : wanted) {
        if (!isKeyType(entry.item))
            continue;
        const int type = entry.item->item->typeId;
        auto it = placeOfType.find(type);
        if (it == placeOfType.end()) {
            if (next >= Places)
                continue;
            openStack(next, entry.item, true);
            it = placeOfType.emplace(type, next++).first;
        }
        stacks[static_cast<size_t>(it->second)].items.insert(entry.item);
        entry.item->stateId = it->second;
    }
    std::stable_sort(wanted.begin(), wanted.end(),
                     [](const GoalEntry& a, const GoalEntry& b) { return a.item->stateId < b.item->stateId; });
    // The free places take single ordinary items from the end of the list.
    int spare = Places - next;
    for (auto it = wanted.rbegin(); it != wanted.rend() && spare > 0; ++it) {
        if (isKeyType(it->item))
            continue;
        int place = 0;
        while (stacks[static_cast<size_t>(place)].active)
            ++place;
        openStack(place, it->item, false);
        stacks[static_cast<size_t>(place)].items.insert(it->item);
        it->item->stateId = place;
        --spare;
    }
    for (const ItemStack& stack : stacks)
        for (ItemState* item : stack.items)
            enableRenderer(item);
}

void CountStackGoalRenderer::refresh(ItemState* item)
{
    if (!item) {
        if (!built)
            build();
        return;
    }
    int place = -1;
    for (int p = 0; p < Places; ++p)
        if (stacks[static_cast<size_t>(p)].items.count(item))
            place = p;
    item->stateId = -2;
    if (place < 0)
        return;
    ItemStack& stack = stacks[static_cast<size_t>(place)];
    stack.items.erase(item);
    if (!stack.items.empty())
        return;
    const int freedY = stack.y;
    stack = ItemStack();
    ItemState* waiting = nullptr;
    for (const GoalEntry& entry : wanted)
        if (entry.item->stateId == -1) {
            waiting = entry.item;
            break;
        }
    int empty = place;
    if (place < 3) {
        // The stack below moves up into the freed place.
        ItemStack& below = stacks[static_cast<size_t>(place + 3)];
        if (below.active) {
            stack = below;
            stack.y = freedY + RowStep;
            for (ItemState* moved : stack.items)
                moved->stateId = place;
            below = ItemStack();
        }
        empty = place + 3;
    }
    if (waiting) {
        openStack(empty, waiting, false);
        ItemStack& fresh = stacks[static_cast<size_t>(empty)];
        fresh.y += RowStep;
        fresh.items.insert(waiting);
        waiting->stateId = empty;
        enableRenderer(waiting);
    }
    if (slide)
        slide->stop();
    slide = std::make_unique<ParalelAction>();
    for (int p = 0; p < Places; ++p) {
        ItemStack& s = stacks[static_cast<size_t>(p)];
        const int delta = placeOf(p).y - s.y;
        if (s.active && delta != 0)
            slide->add(std::make_unique<RelIncrementator<int>>(Duration(SlideMs), &s.y, delta));
    }
    slide->start(this, -1);
}

void CountStackGoalRenderer::update(int dt, ScreenBase*)
{
    if (slide)
        slide->update(dt);
}

void CountStackGoalRenderer::onActionFinished(int32_t) {}

void CountStackGoalRenderer::draw(Graphics& g, ScreenBase*)
{
    drawHead(g, FONT_TIMES24);
    const Color white(255, 255, 255, 255);
    GLTexture* box = texture("GUI_BG_ITEM_N");
    GLTexture* keyBox = texture("GUI_BG_ITEM_KEY_N");
    GLTexture* over = texture("GUI_BG_ITEM_O");
    const int w = box ? box->getWidth() : 200;
    const int h = box ? box->getHeight() : 24;
    g.setClipRect(geometry.x + 216, geometry.y + 144, 604, 68);
    g.enableClip(true);
    for (int p = 0; p < Places; ++p) {
        const ItemStack& stack = stacks[static_cast<size_t>(p)];
        if (!stack.active)
            continue;
        if (GLTexture* look = stack.keyStack ? keyBox : box)
            g.drawImage(stack.x, stack.y, look, white);
        if (over && isHighlighted(p))
            g.drawImage(stack.x, stack.y, over, white);
        drawCentred(g, FONT_TIMES16, WidgetGeometry(stack.x, stack.y, 0, w, h), textOf(stack), stack.alpha);
    }
    g.enableClip(false);
}

int CountStackGoalRenderer::entryAt(int x, int y) const
{
    GLTexture* box = texture("GUI_BG_ITEM_N");
    const int w = box ? box->getWidth() : 200;
    const int h = box ? box->getHeight() : 24;
    int hit = -1;
    for (int p = 0; p < Places; ++p) {
        const ItemStack& s = stacks[static_cast<size_t>(p)];
        if (s.active && x >= s.x && x < s.x + w && y >= s.y && y < s.y + h)
            hit = p;
    }
    return hit;
}

ItemState* CountStackGoalRenderer::itemOfEntry(int entry) const
{
    ItemState* found = nullptr;
    for (const GoalEntry& e : wanted)
        if (entry >= 0 && e.item->stateId == entry)
            found = e.item;
    return found;
}
