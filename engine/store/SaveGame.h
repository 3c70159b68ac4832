#pragma once
// The save store: named entries that serialise themselves, in ascending key
// order (keys compared byte by byte), into one binary stream. The
// application owns the store (GameApp::setSaveGame); the store owns its
// entries and deletes them with itself. The concrete file store derives from
// this class.
//
// The stream has no per-entry keys or lengths: its layout is fixed by the
// set of registered entries. Every number in it is little-endian.
//
// Entries call write/read only while the store runs save() or load(); outside
// those calls the stream does not exist and write/read do nothing.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

class SaveGameEntry;

class SaveGame {
public:
    SaveGame();
    virtual ~SaveGame();
    SaveGame(const SaveGame&) = delete;
    SaveGame& operator=(const SaveGame&) = delete;

    // Writes the header and every entry. Returns false, keeping any previous
    // save intact, when the data could not be written completely.
    virtual bool save() = 0;
    // Reads the header and every entry. Returns false when there is nothing to
    // load or the header belongs to another game; entries then keep their
    // current values. A header match returns true even when an entry could
    // not be read: that entry and the ones after it keep their values.
    [[nodiscard]] virtual bool load() = 0;
    // Appends `count` bytes to the open stream. Returns false when they could
    // not all be written or no stream is open.
    virtual bool write(const void* bytes, std::size_t count) = 0;
    // Reads exactly `count` bytes from the open stream into `bytes`. Returns
    // false, reading nothing, when fewer are left or no stream is open; the
    // caller then keeps its previous value.
    virtual bool read(void* bytes, std::size_t count) = 0;
    // The bytes left to read in the open stream (0 when none is open).
    // Entries that read a count or length bound it by this before they
    // allocate anything for it.
    virtual std::size_t bytesLeft() const = 0;

    // Writes / reads a 32-bit integer, little-endian, through write / read.
    bool writeInt32(int32_t value);
    // On false `value` is unchanged.
    bool readInt32(int32_t& value);

    // Registers the entry under the key; an entry already under that key is
    // deleted first. A null entry is ignored.
    void replaceEntry(const std::string& key, std::unique_ptr<SaveGameEntry> entry);
    // The entry under the key (still owned by the store), or null when none
    // is registered.
    SaveGameEntry* getEntry(const std::string& key) const;

protected:
    // Calls save of every entry in key order; stops at the first that fails
    // and returns false.
    bool saveEntries();
    // Calls load of every entry in key order; stops at the first that fails
    // (the stream is unreliable after it) and returns false with its key in
    // `failedKey`. The entries after it keep their values.
    bool loadEntries(std::string& failedKey);

private:
    std::map<std::string, std::unique_ptr<SaveGameEntry>> entries;
};
