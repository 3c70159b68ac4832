#include "game/ItemRegistry.h"

#include "game/ItemGroupRules.h"
#include "game/ItemState.h"
#include "game/SceneFiles.h"
#include "game/SceneItem.h"

#include <algorithm>
#include <utility>

namespace {

void putUint32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

uint32_t getUint32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

} // namespace

ItemRegistry::ItemRegistry() = default;

ItemRegistry::~ItemRegistry() = default;

ItemRegistry::Group& ItemRegistry::groupStorage(int32_t groupId)
{
    return groups[groupId];
}

const ItemRegistry::Group& ItemRegistry::group(int32_t groupId)
{
    return groupStorage(groupId);
}

std::vector<ItemState*> ItemRegistry::itemsOfGroup(int32_t groupId, int32_t sceneId)
{
    std::vector<ItemState*> out;
    for (const auto& state : groupStorage(groupId))
        if (sceneId == -1 || state->sceneId == sceneId)
            out.push_back(state.get());
    return out;
}

int ItemRegistry::indexInGroup(int32_t groupId, const ItemKey& key)
{
    const Group& g = groupStorage(groupId);
    for (std::size_t i = 0; i < g.size(); ++i)
        if (g[i]->key() == key)
            return static_cast<int>(i);
    return -1;
}

ItemState* ItemRegistry::find(int32_t groupId, const ItemKey& key)
{
    const int i = indexInGroup(groupId, key);
    return i < 0 ? nullptr : groupStorage(groupId)[static_cast<std::size_t>(i)].get();
}

int32_t ItemRegistry::groupOf(const ItemKey& key) const
{
    for (const auto& [groupId, g] : groups)
        for (const auto& state : g)
            if (state->key() == key)
                return groupId;
    return -1;
}

ItemState* ItemRegistry::findAnywhere(const ItemKey& key) const
{
    for (const auto& entry : groups)
        for (const auto& state : entry.second)
            if (state->key() == key)
                return state.get();
    return nullptr;
}

bool ItemRegistry::contains(const ItemKey& key) const
{
    return findAnywhere(key) != nullptr;
}

void ItemRegistry::moveItem(int32_t from, const ItemKey& key, int32_t to)
{
    if (from == to)
        return;
    const int i = indexInGroup(from, key);
    if (i < 0)
        return;
    Group& source = groupStorage(from);
    std::unique_ptr<ItemState> state = std::move(source[static_cast<std::size_t>(i)]);
    source.erase(source.begin() + i);
    // Map nodes are stable: inserting the target group leaves `source` valid.
    groupStorage(to).push_back(std::move(state));
}

void ItemRegistry::removeFound(const ItemKey& key)
{
    const int i = indexInGroup(0, key);
    if (i < 0)
        return;
    Group& found = groupStorage(0);
    found.erase(found.begin() + i);
}

void ItemRegistry::removeSceneItems(int32_t groupId, int32_t sceneId)
{
    Group& g = groupStorage(groupId);
    g.erase(std::remove_if(g.begin(), g.end(),
                           [sceneId](const std::unique_ptr<ItemState>& s) { return s->sceneId == sceneId; }),
            g.end());
}

std::vector<int32_t> ItemRegistry::groupIds() const
{
    std::vector<int32_t> ids;
    for (const auto& entry : groups)
        ids.push_back(entry.first);
    return ids;
}

int ItemRegistry::registerScene(int32_t sceneId, const std::string& groupRulesPath)
{
    std::vector<std::unique_ptr<SceneItem>> items = loadSceneItems(sceneId);
    if (items.empty())
        return 0;
    const ItemGroupRules rules = loadItemGroupRules(groupRulesPath);
    int added = 0;
    for (std::size_t k = 0; k < items.size(); ++k) {
        const int32_t index = static_cast<int32_t>(k);
        const ItemKey key{index, sceneId};
        // A scene whose waiting items are all found or taken away is entered
        // as a first visit again; its items must not be registered twice.
        if (ItemState* existing = findAnywhere(key)) {
            if (!existing->item)
                existing->item = std::move(items[k]);
            continue;
        }
        const int32_t groupId = rules.groupOf(items[k].get());
        groupStorage(groupId).push_back(std::make_unique<ItemState>(index, index, sceneId, std::move(items[k])));
        ++added;
    }
    return added;
}

void ItemRegistry::clear()
{
    groups.clear();
}

std::vector<uint8_t> ItemRegistry::saveGroup(int32_t groupId)
{
    const Group& g = groupStorage(groupId);
    std::vector<uint8_t> blob;
    blob.reserve(BlobHeaderSize + BlobItemSize * g.size());
    putUint32(blob, static_cast<uint32_t>(g.size()));
    putUint32(blob, static_cast<uint32_t>(groupId));
    for (const auto& state : g) {
        blob.push_back(static_cast<uint8_t>(state->itemIndex));
        blob.push_back(static_cast<uint8_t>(state->sceneId));
        blob.push_back(static_cast<uint8_t>(state->stateId));
    }
    return blob;
}

std::size_t ItemRegistry::loadGroup(const uint8_t* blob, std::size_t size)
{
    if (!blob || size < BlobHeaderSize)
        return 0;
    const uint32_t count = getUint32(blob);
    const int32_t groupId = static_cast<int32_t>(getUint32(blob + 4));
    // The count comes from a file: trust it only as far as the bytes go.
    if (count > (size - BlobHeaderSize) / BlobItemSize)
        return 0;
    Group& g = groupStorage(groupId);
    const uint8_t* p = blob + BlobHeaderSize;
    for (uint32_t k = 0; k < count; ++k, p += BlobItemSize) {
        // Indices and scene ids are unsigned bytes; the state id is signed,
        // since the goal panels keep negative marks in it.
        const int32_t itemIndex = p[0];
        const int32_t sceneId = p[1];
        const int32_t stateId = static_cast<int8_t>(p[2]);
        g.push_back(std::make_unique<ItemState>(stateId, itemIndex, sceneId, nullptr));
    }
    return BlobHeaderSize + BlobItemSize * static_cast<std::size_t>(count);
}

void ItemRegistry::relinkSceneItems()
{
    // Each scene's file is read once; a slot handed out is left null, so no
    // record goes to two states. Records nobody took are freed with the cache.
    std::map<int32_t, std::vector<std::unique_ptr<SceneItem>>> cache;
    for (auto& entry : groups) {
        for (auto& state : entry.second) {
            if (state->item)
                continue;
            auto it = cache.find(state->sceneId);
            if (it == cache.end())
                it = cache.emplace(state->sceneId, loadSceneItems(state->sceneId)).first;
            std::vector<std::unique_ptr<SceneItem>>& records = it->second;
            if (state->itemIndex >= 0 && static_cast<std::size_t>(state->itemIndex) < records.size())
                state->item = std::move(records[static_cast<std::size_t>(state->itemIndex)]);
        }
    }
}
