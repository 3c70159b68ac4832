#include "game/PlayerProfiles.h"

#include "engine/core/Log.h"
#include "engine/store/SaveGame.h"
#include "game/GameFlow.h"
#include "game/ItemRegistry.h"
#include "game/PlayerProfile.h"
#include "game/QuestManager.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

// Bytes of a high-score row besides its name: the zero byte and the score.
constexpr std::size_t ScoreRowExtra = 5;
// The smallest a profile and a score row take in the record, with their
// size fields: bounds for the counts before anything is read for them.
constexpr std::size_t MinProfileBytes = 4 + PlayerProfile::FixedBlobBytes;
constexpr std::size_t MinScoreRowBytes = 4 + ScoreRowExtra;

// The stored form of a name: up to its first zero character, so that the
// zero byte written after it really ends it.
std::string storedName(const std::string& name)
{
    return name.substr(0, name.find('\0'));
}

// Higher score first; at equal scores the byte-wise greater name first.
bool ranksBefore(const HighScoreEntry& a, const HighScoreEntry& b)
{
    if (a.getScore() != b.getScore())
        return a.getScore() > b.getScore();
    return a.getName() > b.getName();
}

// Sorts the rows (stably) and fills or cuts the table to its ten rows.
void normaliseTable(std::vector<HighScoreEntry>& table)
{
    if (table.size() < PlayerProfiles::HighScoreCount)
        table.resize(PlayerProfiles::HighScoreCount);
    std::stable_sort(table.begin(), table.end(), ranksBefore);
    table.resize(PlayerProfiles::HighScoreCount);
}

bool readCount(SaveGame& store, uint32_t& count)
{
    int32_t raw = 0;
    if (!store.readInt32(raw))
        return false;
    count = static_cast<uint32_t>(raw);
    return true;
}

// Reads a u32 size and then that many bytes; false when either is missing.
// The size is checked against the bytes left before the buffer is made.
bool readSized(SaveGame& store, std::vector<uint8_t>& bytes, uint32_t& size)
{
    if (!readCount(store, size) || size > store.bytesLeft())
        return false;
    bytes.assign(size, 0);
    return size == 0 || store.read(bytes.data(), size);
}

// The whole record, into the out-parameters; false with the reason in `why`.
bool readRecord(SaveGame& store, std::vector<std::unique_ptr<PlayerProfile>>& profiles,
                std::vector<HighScoreEntry>& table, int32_t& current, std::string& why)
{
    uint32_t profileCount = 0;
    if (!readCount(store, profileCount)) {
        why = "no profile count";
        return false;
    }
    if (profileCount > store.bytesLeft() / MinProfileBytes) {
        why = "profile count " + std::to_string(profileCount) + " does not fit the file";
        return false;
    }
    for (uint32_t i = 0; i < profileCount; ++i) {
        std::vector<uint8_t> blob;
        uint32_t size = 0;
        if (!readSized(store, blob, size)) {
            why = "profile " + std::to_string(i) + " is cut short";
            return false;
        }
        std::unique_ptr<PlayerProfile> profile = PlayerProfile::fromBlob(blob.data(), blob.size(), why);
        if (!profile) {
            why = "profile " + std::to_string(i) + ": " + why;
            return false;
        }
        profiles.push_back(std::move(profile));
    }

    uint32_t rowCount = 0;
    if (!readCount(store, rowCount)) {
        why = "no high-score count";
        return false;
    }
    if (rowCount > store.bytesLeft() / MinScoreRowBytes) {
        why = "high-score count " + std::to_string(rowCount) + " does not fit the file";
        return false;
    }
    for (uint32_t i = 0; i < rowCount; ++i) {
        std::vector<uint8_t> row;
        uint32_t size = 0;
        if (!readSized(store, row, size)) {
            why = "high score " + std::to_string(i) + " is cut short";
            return false;
        }
        // The name ends at the first zero byte, which must be the one just
        // before the score.
        const std::size_t nameLength = size >= ScoreRowExtra ? size - ScoreRowExtra : 0;
        if (size < ScoreRowExtra || std::memchr(row.data(), 0, nameLength + 1) != row.data() + nameLength) {
            why = "high score " + std::to_string(i) + " is malformed";
            return false;
        }
        const uint8_t* s = row.data() + nameLength + 1;
        const uint32_t bits = static_cast<uint32_t>(s[0]) | (static_cast<uint32_t>(s[1]) << 8) |
                              (static_cast<uint32_t>(s[2]) << 16) | (static_cast<uint32_t>(s[3]) << 24);
        // Scores never drop below 0 in play.
        table.emplace_back(std::max(static_cast<int32_t>(bits), 0),
                           std::string(reinterpret_cast<const char*>(row.data()), nameLength));
    }

    if (!store.readInt32(current)) {
        why = "no current profile index";
        return false;
    }
    if (current < -1 || current >= static_cast<int64_t>(profiles.size())) {
        why = "current profile " + std::to_string(current) + " is not one of the " +
              std::to_string(profiles.size()) + " profiles";
        return false;
    }
    return true;
}

}  // namespace

PlayerProfiles::PlayerProfiles() : highScores(HighScoreCount) {}

PlayerProfiles::~PlayerProfiles() = default;

PlayerProfile* PlayerProfiles::currentProfile() const
{
    return profileAt(current);
}

PlayerProfile* PlayerProfiles::profileAt(int index) const
{
    if (index < 0 || index >= profileCount())
        return nullptr;
    return profiles[static_cast<std::size_t>(index)].get();
}

void PlayerProfiles::captureCurrent()
{
    PlayerProfile* profile = currentProfile();
    if (!profile)
        return;
    profile->captureScenes();
    profile->captureQuests();
    profile->setFlowIndex(GameFlow::instance()->index);
}

void PlayerProfiles::select(int index)
{
    PlayerProfile* chosen = profileAt(index);
    if (!chosen)
        return;
    captureCurrent();
    current = index;
    chosen->restoreScenes();
    chosen->restoreQuests();
    GameFlow* flow = GameFlow::instance();
    chosen->fitFlowIndex(*flow, *QuestManager::instance());
    flow->index = chosen->getFlowIndex();
}

PlayerProfile* PlayerProfiles::addProfile(const std::string& name, int playMode)
{
    profiles.push_back(std::make_unique<PlayerProfile>(name, playMode));
    return profiles.back().get();
}

void PlayerProfiles::removeProfile(int index)
{
    if (!profileAt(index))
        return;
    profiles.erase(profiles.begin() + index);
    if (current == index) {
        current = -1;
        // The live game state was that profile's: with it gone, nothing may
        // go on playing (and saving to nobody) from where it stood.
        ItemRegistry::instance()->clear();
        QuestManager::instance()->reset();
        GameFlow::instance()->index = 0;
    } else if (current > index) {
        --current;
    }
}

PlayerProfile* PlayerProfiles::findByName(const std::string& name) const
{
    for (const auto& profile : profiles)
        if (profile->getName() == name)
            return profile.get();
    return nullptr;
}

void PlayerProfiles::addHighScore(const PlayerProfile* profile)
{
    if (!profile)
        return;
    const HighScoreEntry row(profile->getScore(), profile->getName());
    if (std::find(highScores.begin(), highScores.end(), row) != highScores.end())
        return;
    highScores.push_back(row);
    std::stable_sort(highScores.begin(), highScores.end(), ranksBefore);
    highScores.resize(HighScoreCount);
}

bool PlayerProfiles::save(SaveGame& store)
{
    captureCurrent();

    bool ok = store.writeInt32(static_cast<int32_t>(profiles.size()));
    for (const auto& profile : profiles) {
        const std::vector<uint8_t> blob = profile->toBlob();
        ok = ok && blob.size() <= static_cast<std::size_t>(std::numeric_limits<int32_t>::max()) &&
             store.writeInt32(static_cast<int32_t>(blob.size())) && store.write(blob.data(), blob.size());
    }
    ok = ok && store.writeInt32(static_cast<int32_t>(highScores.size()));
    for (const HighScoreEntry& row : highScores) {
        const std::string name = storedName(row.getName());
        const char zero = 0;
        ok = ok && store.writeInt32(static_cast<int32_t>(name.size() + ScoreRowExtra)) &&
             store.write(name.data(), name.size()) && store.write(&zero, 1) && store.writeInt32(row.getScore());
    }
    return ok && store.writeInt32(current);
}

bool PlayerProfiles::load(SaveGame& store)
{
    std::vector<std::unique_ptr<PlayerProfile>> loaded;
    std::vector<HighScoreEntry> table;
    int32_t loadedCurrent = -1;
    std::string why;
    if (!readRecord(store, loaded, table, loadedCurrent, why)) {
        logError("profiles: the saved player profiles are damaged (" + why +
                 "); the profiles and high scores stay as they were");
        return false;
    }
    normaliseTable(table);
    profiles = std::move(loaded);
    highScores = std::move(table);
    current = loadedCurrent;
    if (PlayerProfile* profile = currentProfile()) {
        profile->restoreScenes();
        profile->restoreQuests();
        // The live position becomes the loaded profile's, as on select:
        // the next save or switch writes the live position back into it.
        // At the game's start the story is not read yet: the main menu's
        // PLAY checks the position then.
        GameFlow* flow = GameFlow::instance();
        profile->fitFlowIndex(*flow, *QuestManager::instance());
        flow->index = profile->getFlowIndex();
    }
    return true;
}
