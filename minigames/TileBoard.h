#pragma once
// The pure state of a tile-swap board: which tile (by id) stands in which
// slot, the player's selection and whether a swap animation runs. No
// widgets, no window: MgRearrangeElements keeps one and moves its tile
// widgets after it; tests drive it with tile ids and an injected random
// source.
//
// Invariant: tileAt and slotOf are inverse for every tile on the board.
#include <functional>
#include <map>
#include <string>
#include <vector>

class TileBoard {
public:
    // Returns a number in [0, n) for n >= 1 (randomBelow in the game).
    using Random = std::function<int(int n)>;
    using SolvedTest = std::function<bool(const TileBoard&)>;
    // Passes a shuffle makes at most before giving up on an unsolved start.
    static constexpr int MaxShufflePasses = 1000;

    // What a press on a tile asks the screen to do.
    struct Press {
        enum Kind { Ignored, Selected, Deselected, Swap };
        Kind kind = Ignored;
        // Selected / Deselected: the slot; Swap: the first selected slot.
        int slot = -1;
        // Swap: the slot pressed second.
        int otherSlot = -1;
    };

    // Appends the tile in the next slot. An id already on the board is
    // ignored.
    void addTile(int id);
    void clear();

    int size() const { return static_cast<int>(tilesBySlot.size()); }
    // The tile in the slot, or -1 outside the board.
    int tileAt(int slot) const;
    // The slot of the tile, or -1 for an id not on the board.
    int slotOf(int id) const;
    bool contains(int id) const { return slotOfTile.count(id) != 0; }
    const std::vector<int>& tiles() const { return tilesBySlot; }

    // Exchanges the tiles of two slots; out-of-range slots do nothing.
    void swapSlots(int a, int b);
    // The end of a swap animation of tiles idA and idB: they change slots.
    void commitSwap(int idA, int idB);

    // One pass: for each slot i, j = random(n) and slots i and j exchange
    // when they differ.
    void shufflePass(const Random& random);
    // Passes while `solved` holds after one, so the board never starts
    // solved; at most MaxShufflePasses, then a warning. Fewer than two tiles
    // cannot be shuffled: nothing happens. Returns the passes made.
    int shuffle(const Random& random, const SolvedTest& solved);

    // A press on tile `id`. Ignored while a swap runs or for an id not on
    // the board. Without a selection the tile becomes selected; with one,
    // the selection is cleared (Deselected when the selected tile itself was
    // pressed, else Swap from the selected slot to the pressed one).
    Press press(int id);
    bool isSelectionActive() const { return selectionActive; }
    int getSelectedSlot() const { return selectedSlot; }

    // On from the start of a swap animation to its end.
    void setSwapBusy(bool busy) { swapBusy = busy; }
    bool isSwapBusy() const { return swapBusy; }

    // The tile ids in slot order, e.g. "2 0 1" (logs, the test driver).
    std::string describe() const;

private:
    std::vector<int> tilesBySlot;
    std::map<int, int> slotOfTile;
    bool selectionActive = false;
    int selectedSlot = -1;
    bool swapBusy = false;
};
