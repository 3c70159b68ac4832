#include "minigames/TileBoard.h"

#include "engine/core/Log.h"

#include <string>
#include <utility>

void TileBoard::addTile(int id)
{
    if (contains(id))
        return;
    slotOfTile[id] = size();
    tilesBySlot.push_back(id);
}

void TileBoard::clear()
{
    tilesBySlot.clear();
    slotOfTile.clear();
    selectionActive = false;
    selectedSlot = -1;
    swapBusy = false;
}

int TileBoard::tileAt(int slot) const
{
    return slot >= 0 && slot < size() ? tilesBySlot[static_cast<size_t>(slot)] : -1;
}

int TileBoard::slotOf(int id) const
{
    // find, not operator[]: asking about an unknown id must not add it.
    const auto it = slotOfTile.find(id);
    return it != slotOfTile.end() ? it->second : -1;
}

void TileBoard::swapSlots(int a, int b)
{
    if (a < 0 || b < 0 || a >= size() || b >= size() || a == b)
        return;
    std::swap(tilesBySlot[static_cast<size_t>(a)], tilesBySlot[static_cast<size_t>(b)]);
    slotOfTile[tilesBySlot[static_cast<size_t>(a)]] = a;
    slotOfTile[tilesBySlot[static_cast<size_t>(b)]] = b;
}

void TileBoard::commitSwap(int idA, int idB)
{
    swapSlots(slotOf(idA), slotOf(idB));
}

void TileBoard::shufflePass(const Random& random)
{
    const int n = size();
    for (int i = 0; i < n; ++i) {
        const int j = random(n);
        if (j != i)
            swapSlots(i, j);
    }
}

int TileBoard::shuffle(const Random& random, const SolvedTest& solved)
{
    if (size() < 2)
        return 0;
    int passes = 0;
    do {
        shufflePass(random);
        ++passes;
    } while (solved && solved(*this) && passes < MaxShufflePasses);
    if (solved && solved(*this))
        logWarning("tile board: still solved after " + std::to_string(passes) + " shuffle passes; it starts solved");
    return passes;
}

TileBoard::Press TileBoard::press(int id)
{
    Press result;
    const int slot = slotOf(id);
    if (swapBusy || slot < 0)
        return result;
    if (selectionActive) {
        selectionActive = false;
        result.slot = selectedSlot;
        if (slot != selectedSlot) {
            result.kind = Press::Swap;
            result.otherSlot = slot;
        } else {
            result.kind = Press::Deselected;
        }
        selectedSlot = -1;
        return result;
    }
    selectionActive = true;
    selectedSlot = slot;
    result.kind = Press::Selected;
    result.slot = slot;
    return result;
}

std::string TileBoard::describe() const
{
    std::string out;
    for (int id : tilesBySlot)
        out += (out.empty() ? "" : " ") + std::to_string(id);
    return out;
}
