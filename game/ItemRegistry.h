#pragma once
// The one store of the state of every scene item the player has met, in every
// scene. It outlives the scene screens, so a scene entered again finds its
// items where it left them; player profiles save it as one byte blob per
// group and restore it.
//
// Every item is held in exactly one group; the group number is its state:
//   0 found, 1 waiting (present, not asked for yet), 2 wanted now,
//   3 taken out of view, 4/5/6 starting groups only the group rules assign,
//   -1 items no group rule matches (never drawn).
// A group keeps its items in the order they entered it. A group that has been
// asked for once stays in the registry, empty or not.
//
// The registry owns every ItemState (and through it the item records and
// renderers). Pointers handed out stay valid until the item is removed or the
// registry is cleared; moving an item between groups keeps its pointer.
//
// Group blob (little-endian, 8 + 3n bytes):
//   u32 n, i32 group number, then per item: u8 itemIndex, u8 sceneId,
//   i8 stateId (the low byte of each). Item indices and scene ids come back
//   as 0..255, state ids as -128..127.
#include "game/SingletonContainer.h"
#include "game/ItemKey.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class ItemState;

class ItemRegistry : public SingletonContainer<ItemRegistry> {
public:
    using Group = std::vector<std::unique_ptr<ItemState>>;

    // Size of a group blob's header (count and group number).
    static constexpr std::size_t BlobHeaderSize = 8;
    // Bytes per item in a group blob.
    static constexpr std::size_t BlobItemSize = 3;

    ItemRegistry();
    ~ItemRegistry() override;

    // The group's items, in group order; an empty group is created when absent.
    const Group& group(int32_t groupId);
    // The group's items (all scenes when sceneId is -1, else only that
    // scene's), in group order. The registry keeps owning them.
    std::vector<ItemState*> itemsOfGroup(int32_t groupId, int32_t sceneId);
    // Position of the first item with the key in the group, or -1.
    int indexInGroup(int32_t groupId, const ItemKey& key);
    // The first item of the group with the key, or null.
    ItemState* find(int32_t groupId, const ItemKey& key);
    // The lowest group number holding the key, or -1 when none does. An item
    // in group -1 answers -1 too.
    int32_t groupOf(const ItemKey& key) const;
    // True when any group, -1 included, holds the key.
    bool contains(const ItemKey& key) const;
    // Moves the item from one group to the end of another. Nothing when the
    // two are equal or the key is not in the `from` group.
    void moveItem(int32_t from, const ItemKey& key, int32_t to);
    // Destroys the item with the key in group 0; nothing when absent.
    void removeFound(const ItemKey& key);
    // Destroys every item of the group that belongs to the scene; the others
    // keep their order.
    void removeSceneItems(int32_t groupId, int32_t sceneId);
    // The group numbers present, ascending.
    std::vector<int32_t> groupIds() const;

    // Registers the scene's items from its item file (through the scene
    // index) into the groups the rule file at `groupRulesPath` gives them
    // (-1 when no rule applies), in file order, with stateId = itemIndex.
    // Items already held in any group are left where they are (an item there
    // without its record gets it); so a second call never duplicates items.
    // Returns the number of items added.
    int registerScene(int32_t sceneId, const std::string& groupRulesPath);

    // Destroys every item of every group and removes all groups.
    void clear();

    // The blob of the whole group (all scenes); an absent group gives the
    // 8-byte blob {0, groupId} and is created.
    std::vector<uint8_t> saveGroup(int32_t groupId);
    // Appends the blob's items, without records or renderers, to the blob's
    // group in blob order. Returns the bytes consumed (8 + 3n). A blob shorter
    // than its header, or whose count claims more items than its bytes hold,
    // is refused: nothing changes and 0 is returned. Bytes past the items are
    // not read.
    std::size_t loadGroup(const uint8_t* blob, std::size_t size);
    // Gives every item without a record its record from its scene's item
    // file, read once per scene. An index past the end of the file's list,
    // or a slot another item already took, leaves the item without one.
    void relinkSceneItems();

private:
    Group& groupStorage(int32_t groupId);
    // The first item with the key in any group (ascending), or null.
    ItemState* findAnywhere(const ItemKey& key) const;

    std::map<int32_t, Group> groups;
};
