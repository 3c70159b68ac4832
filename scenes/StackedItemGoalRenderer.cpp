#include "scenes/StackedItemGoalRenderer.h"

#include "engine/anim/CompositeAction.h"
#include "engine/anim/Tweens.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/Graphics.h"
#include "engine/store/ConfigFile.h"
#include "game/ContentTables.h"
#include "game/ItemRenderer.h"
#include "game/ItemState.h"
#include "game/SceneItem.h"

#include <algorithm>

namespace {

constexpr int OriginX = 216;
constexpr int OriginY = 144;
constexpr int EntryW = 200;
constexpr int EntryH = 24;
const char* const FramedConfig = "Configuration2";

void sortByStateId(std::vector<GoalEntry>& list)
{
    std::stable_sort(list.begin(), list.end(),
                     [](const GoalEntry& a, const GoalEntry& b) { return a.item->stateId < b.item->stateId; });
}

std::string nameOf(const GoalEntry& entry)
{
    return entry.item && entry.item->item ? entry.item->item->name : std::string();
}

} // namespace

StackedItemGoalRenderer::StackedItemGoalRenderer(ResourceManager* manager, const std::string& name)
    : ItemGoalRenderer(manager)
    , configName(name)
{
    readSettings();
    slots.resize(static_cast<size_t>(lines * perLineCount));
    for (size_t i = 0; i < slots.size(); ++i) {
        slots[i].index = static_cast<int>(i);
        const Point at = restOf(static_cast<int>(i));
        slots[i].x = at.x;
        slots[i].y = at.y;
    }
}

StackedItemGoalRenderer::~StackedItemGoalRenderer() = default;

void StackedItemGoalRenderer::readSettings()
{
    const std::string prefix = "StackedRenderer." + configName + ".";
    rows = getParamInt(prefix + "rows", -1);
    columns = getParamInt(prefix + "columns", -1);
    renderedItems = getParamInt(prefix + "renderedItems", -1);
    vertical = getParamBool(prefix + "vertical", false);
    iSpace = getParamInt(prefix + "iSpaceVal", 0);
    jSpace = getParamInt(prefix + "jSpaceVal", 0);
    yOffset = getParamInt(prefix + "yOffset", 0);
    if (rows < 1)
        rows = 2;
    if (columns < 1)
        columns = 3;
    renderedItems = renderedItems < 1 ? rows * columns : std::min(renderedItems, rows * columns);
    lines = vertical ? columns : rows;
    perLineCount = vertical ? rows : columns;
}

Point StackedItemGoalRenderer::positionAt(int line, int place) const
{
    if (vertical)
        return Point{OriginX + EntryW * line + line * iSpace, OriginY + EntryH * place + place * jSpace};
    return Point{OriginX + EntryW * place + place * iSpace, OriginY + EntryH * line + line * jSpace + yOffset};
}

Point StackedItemGoalRenderer::restOf(int slot) const
{
    // Each line has one spare place at its end, where entries come in.
    const int position = slot + slot / perLineCount;
    return positionAt(position / (perLineCount + 1), position % (perLineCount + 1));
}

const std::vector<GoalEntry>& StackedItemGoalRenderer::wantedEntries() const
{
    return shown;
}

void StackedItemGoalRenderer::rebuildShown()
{
    sortByStateId(wanted);
    const size_t count = std::min(wanted.size(), static_cast<size_t>(renderedItems));
    shown.clear();
    for (const GoalEntry& entry : wanted) {
        if (shown.size() >= count)
            break;
        if (!entry.item || !entry.item->renderer)
            continue;
        entry.item->renderer->setDecoratorEnabled(true);
        shown.push_back(entry);
    }
}

void StackedItemGoalRenderer::showEntryInSlot(Slot& slot, const GoalEntry* entry)
{
    slot.stateId = entry ? entry->item->stateId : -1;
    slot.text = entry ? nameOf(*entry) : std::string();
}

void StackedItemGoalRenderer::refresh(ItemState* item)
{
    if (!item) {
        rebuildShown();
        for (size_t i = 0; i < slots.size(); ++i)
            showEntryInSlot(slots[i], i < shown.size() ? &shown[i] : nullptr);
        return;
    }
    const bool isShown = std::any_of(shown.begin(), shown.end(), [item](const GoalEntry& e) { return e.item == item; });
    if (!isShown)
        return;
    const std::vector<GoalEntry> old = shown;
    rebuildShown();
    followFind(item, old);
}

void StackedItemGoalRenderer::followFind(ItemState* found, const std::vector<GoalEntry>& old)
{
    const int K = perLineCount;
    size_t k = 0;
    while (k < old.size() && k < shown.size() && old[k].item == shown[k].item && old[k].group == shown[k].group)
        ++k;
    const int line = static_cast<int>(k) / K + 1;
    std::vector<int> ids;
    for (const GoalEntry& e : old)
        ids.push_back(e.item->stateId);
    const size_t count = shown.size();
    const bool full = count != 0 && count >= static_cast<size_t>(renderedItems);
    if (full && !ids.empty()) {
        // The items after the found one move up a place within its line; the
        // newly shown one takes the last place of that line.
        const size_t last = std::min(static_cast<size_t>(line * K), ids.size()) - 1;
        if (count - 1 < wanted.size())
            wanted[count - 1].item->stateId = ids[last];
        for (size_t j = k; j < last && j < wanted.size(); ++j)
            wanted[j].item->stateId = ids[j];
        sortByStateId(shown);
    }
    int s = -1;
    for (const Slot& slot : slots)
        if (slot.stateId == found->stateId)
            s = slot.index;
    if (s < 0)
        s = static_cast<int>(std::min(k, slots.size() - 1));
    const int m = (s / K + 1) * K - 1;
    if (!full) {
        for (int j = s; j < m; ++j) {
            slots[static_cast<size_t>(j)].stateId = slots[static_cast<size_t>(j + 1)].stateId;
            slots[static_cast<size_t>(j)].text = slots[static_cast<size_t>(j + 1)].text;
        }
        showEntryInSlot(slots[static_cast<size_t>(m)], nullptr);
    } else {
        for (size_t j = 0; j < slots.size(); ++j)
            showEntryInSlot(slots[j], j < shown.size() ? &shown[j] : nullptr);
    }
    startSlide(s);
}

void StackedItemGoalRenderer::startSlide(int firstSlot)
{
    const int K = perLineCount;
    const int end = (firstSlot / K + 1) * K;
    // The moved slots start from the place after their own.
    for (int j = firstSlot; j < end; ++j) {
        const int position = j + j / K + 1;
        const Point from = positionAt(position / (K + 1), position % (K + 1));
        slots[static_cast<size_t>(j)].x = from.x;
        slots[static_cast<size_t>(j)].y = from.y;
    }
    if (slide)
        slide->stop();
    slide = std::make_unique<ParalelAction>();
    for (Slot& slot : slots) {
        const Point rest = restOf(slot.index);
        int* target = vertical ? &slot.y : &slot.x;
        const int delta = (vertical ? rest.y : rest.x) - *target;
        if (delta != 0)
            slide->add(std::make_unique<RelIncrementator<int>>(Duration(SlideMs), target, delta));
        // A slide cut short leaves the other axis where it was.
        (vertical ? slot.x : slot.y) = vertical ? rest.x : rest.y;
    }
    slide->start(this, 0);
}

bool StackedItemGoalRenderer::isSliding() const
{
    return slide && slide->isRunning();
}

void StackedItemGoalRenderer::update(int dt, ScreenBase*)
{
    if (slide)
        slide->update(dt);
}

void StackedItemGoalRenderer::onActionFinished(int32_t) {}

void StackedItemGoalRenderer::draw(Graphics& g, ScreenBase*)
{
    drawHead(g, FONT_TIMES24);
    const bool framed = configName == FramedConfig;
    const Color white(255, 255, 255, 255);
    GLTexture* scroll = texture("GUI_ITEM_SCROLL_BG");
    if (framed && scroll)
        g.drawImage(200, 140, scroll, white);
    if (framed)
        g.setClipRect(geometry.x + 200, geometry.y + 144, 636, 78);
    else
        g.setClipRect(geometry.x + OriginX, geometry.y + OriginY, 604, 78);
    g.enableClip(true);
    GLTexture* box = texture("GUI_BG_ITEM_N");
    GLTexture* over = texture("GUI_BG_ITEM_O");
    const int boxW = box ? box->getWidth() : EntryW;
    for (const Slot& slot : slots) {
        if (slot.stateId == -1)
            continue;
        if (box)
            g.drawImage(slot.x, slot.y, box, white);
        if (over && isHighlighted(slot.index))
            g.drawImage(slot.x, slot.y, over, white);
        if (FONT_TIMES16 && !slot.text.empty())
            FONT_TIMES16->drawRun(g, slot.x + (boxW - FONT_TIMES16->textWidth(slot.text)) / 2, slot.y + 2,
                                  slot.text, Color(255, 255, 255, slot.alpha));
    }
    // The docks frame the clipped strip from outside: drawn unclipped.
    g.enableClip(false);
    if (framed) {
        if (GLTexture* left = texture("GUI_DOCK_LEFT"))
            g.drawImage(172, 140, left, white);
        if (GLTexture* right = texture("GUI_DOCK_RIGHT"))
            g.drawImage(800, 140, right, white);
    }
}

int StackedItemGoalRenderer::entryAt(int x, int y) const
{
    GLTexture* box = texture("GUI_BG_ITEM_N");
    const int w = box ? box->getWidth() : EntryW;
    const int h = box ? box->getHeight() : EntryH;
    int hit = -1;
    for (const Slot& slot : slots)
        if (slot.stateId != -1 && x >= slot.x && x < slot.x + w && y >= slot.y && y < slot.y + h)
            hit = slot.index;
    return hit;
}

ItemState* StackedItemGoalRenderer::itemOfEntry(int entry) const
{
    if (entry < 0 || entry >= static_cast<int>(slots.size()))
        return nullptr;
    ItemState* found = nullptr;
    for (const GoalEntry& e : wanted)
        if (e.item && e.item->stateId == slots[static_cast<size_t>(entry)].stateId)
            found = e.item;
    return found;
}
