#pragma once
// The game's progress: the fixed list of quests from
// "content/config/Quests.xml", their done / open / entered flags and the
// current quest. A quest is addressed by its id, which is also its position
// in the list (Quests.xml lists ids 0, 1, 2, ... in order).
//
// Quests.xml: root <GamePlay>, one <Quest> per quest with "id", "screenId",
// "stage" (integers), "opens" and "needs" (comma lists of positions; empty
// pieces are skipped), "emptyContainer" ("true" sets it) and
// "correctLocationStage" ("false" clears it).
//
// Positions taken from the file or from a save (opens, needs, the blob's
// current id) are checked against the list: one that names no quest is
// ignored. There may be no current quest (before loading, or with an empty
// list); every operation copes with that.
//
// Quest-state blob (saveState / loadState), little-endian, 8 + 3 x N bytes:
//   int32 current quest id (0 when there is none or it is negative),
//   int32 N (number of quests), then per quest: done, open, entered (0/1).
#include "game/SingletonContainer.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct Quest;

class QuestManager : public SingletonContainer<QuestManager> {
public:
    // Empty list, no current quest. The game uses the one instance(); tests
    // may make their own.
    QuestManager();
    ~QuestManager() override;

    // Appends the file's quests; afterwards the first quest of the list is
    // current (when there is one). Returns false, adding nothing, when the
    // file cannot be read or parsed or its root is not <GamePlay> (one error
    // line); the current quest then stays.
    [[nodiscard]] bool load(const std::string& path);

    // Clears done, open and entered of every quest; quest 0 becomes open and
    // current (no current quest for an empty list).
    void reset();
    // Marks the quest at the position done and re-evaluates each quest it
    // opens: that one is open exactly when every quest it needs is done (so
    // this can also close it). The current quest does not move. A position
    // outside the list does nothing.
    void complete(int index);
    // Marks the current quest done; the first quest in list order that is
    // not done becomes current (the current one stays when all are done).
    // Opens nothing. Nothing happens without a current quest.
    void completeCurrent();
    // complete() for every quest of that location, in list order.
    void completeByScreen(int screenId);
    // Makes the quest at the position current; a position outside the list
    // is ignored.
    void setCurrent(int index);

    // The current quest (owned by the manager), or null.
    Quest* getCurrent() const { return current; }
    // The current quest's id, or -1 when there is none.
    int currentId() const;
    // The first quest with that id, or null.
    Quest* findById(int id) const;
    // The quest at the position, or null outside the list.
    Quest* questAt(int index) const;
    int questCount() const { return static_cast<int>(quests.size()); }

    // Quest 4 is done (false when the list has fewer than five quests).
    bool isMapReached() const;
    // Locations of the quests that are open and not done, ascending, each once.
    std::vector<int> openLocations() const;
    // Stage of the first quest in list order that is open, not done and on
    // that location; 0 when none is.
    int stageForScreen(int screenId) const;
    // Position of that same quest; 0 when none is.
    int indexForScreen(int screenId) const;
    // The journal entry belonging to the current quest id: 6 from 55 up,
    // 5 for 43-54, 3 for 29-42, 2 for 14-28, else 0 (also without a current
    // quest).
    int journalEntryForCurrent() const;

    // The quest-state blob of the whole list (see above).
    std::vector<uint8_t> saveState() const;
    // Applies a blob: done, open and entered of the first
    // min(N, number of quests, (size - 8) / 3) quests; then, when the stored
    // current id is a position in the list, that quest becomes current
    // (otherwise the current quest stays). Returns the number of bytes read,
    // 8 + 3 x the quests applied; 0 (and nothing changes) when the blob is
    // shorter than its 8-byte head or `data` is null.
    size_t loadState(const uint8_t* data, size_t size);

private:
    // Owned; position == id.
    std::vector<std::unique_ptr<Quest>> quests;
    // Not owned: one of `quests`, or null.
    Quest* current = nullptr;
};
