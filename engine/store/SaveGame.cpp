#include "engine/store/SaveGame.h"

#include "engine/store/SaveGameEntry.h"

SaveGame::SaveGame() = default;

SaveGame::~SaveGame() = default;

bool SaveGame::writeInt32(int32_t value)
{
    const uint32_t u = static_cast<uint32_t>(value);
    const unsigned char bytes[4] = {static_cast<unsigned char>(u & 0xFF),
                                    static_cast<unsigned char>((u >> 8) & 0xFF),
                                    static_cast<unsigned char>((u >> 16) & 0xFF),
                                    static_cast<unsigned char>((u >> 24) & 0xFF)};
    return write(bytes, sizeof bytes);
}

bool SaveGame::readInt32(int32_t& value)
{
    unsigned char bytes[4];
    if (!read(bytes, sizeof bytes))
        return false;
    const uint32_t u = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                       (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
    value = static_cast<int32_t>(u);  // two's complement (guaranteed since C++20, true of every target)
    return true;
}

void SaveGame::replaceEntry(const std::string& key, std::unique_ptr<SaveGameEntry> entry)
{
    if (entry)
        entries[key] = std::move(entry);
}

SaveGameEntry* SaveGame::getEntry(const std::string& key) const
{
    const auto it = entries.find(key);
    return it != entries.end() ? it->second.get() : nullptr;
}

bool SaveGame::saveEntries()
{
    for (auto& e : entries) {
        if (!e.second->save(*this))
            return false;
    }
    return true;
}

bool SaveGame::loadEntries(std::string& failedKey)
{
    for (auto& e : entries) {
        if (!e.second->load(*this)) {
            failedKey = e.first;
            return false;
        }
    }
    return true;
}
