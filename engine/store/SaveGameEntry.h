#pragma once
// One named record of the save store. It writes and reads exactly its own
// bytes through the store's write/read, so the file needs no per-entry keys or
// lengths: its layout is fixed by the set of registered entries. The store
// owns its entries and deletes them.
class SaveGame;

class SaveGameEntry {
public:
    SaveGameEntry() = default;
    virtual ~SaveGameEntry() = default;
    SaveGameEntry(const SaveGameEntry&) = delete;
    SaveGameEntry& operator=(const SaveGameEntry&) = delete;

    // Reads the entry's bytes from the store. Returns false on a short read or
    // an invalid value (a count beyond SaveGame::bytesLeft, say); the entry
    // then keeps the value it had before the call: read into temporaries and
    // assign only after everything was read and checked.
    [[nodiscard]] virtual bool load(SaveGame& store) = 0;
    // Writes the entry's bytes to the store; false when they were not written.
    virtual bool save(SaveGame& store) = 0;
};
