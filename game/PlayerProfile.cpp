#include "game/PlayerProfile.h"

#include "engine/core/Log.h"
#include "game/GameFlow.h"
#include "game/ItemRegistry.h"
#include "game/Quest.h"
#include "game/QuestManager.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Quest-state blob: i32 current id, i32 quest count, 3 bytes per quest.
constexpr std::size_t QuestHead = 8;
constexpr std::size_t BytesPerQuest = 3;

// The stored form of a name: up to its first zero character, so that the
// zero byte written after it really ends it.
std::string storedName(const std::string& name)
{
    return name.substr(0, name.find('\0'));
}

void putInt32(std::vector<uint8_t>& out, int32_t value)
{
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

uint32_t getUint32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

int32_t getInt32(const uint8_t* p)
{
    return static_cast<int32_t>(getUint32(p));
}

// A blob of `size` bytes that holds `count` records of `perItem` bytes after
// a `head`-byte header, exactly.
bool holdsExactly(std::size_t size, std::size_t head, uint64_t count, std::size_t perItem)
{
    if (size < head)
        return false;
    const std::size_t body = size - head;
    return body % perItem == 0 && body / perItem == count;
}

}  // namespace

PlayerProfile::PlayerProfile(const std::string& name_, int playMode_)
    : name(name_)
    , playMode(playMode_)
    , questState(freshQuestState(QuestManager::instance()->questCount()))
{
}

void PlayerProfile::addScore(int points)
{
    const int64_t sum = static_cast<int64_t>(score) + points;
    score = static_cast<int>(std::clamp<int64_t>(sum, std::numeric_limits<int>::min(),
                                                 std::numeric_limits<int>::max()));
}

void PlayerProfile::resetProgress()
{
    flowIndex = 0;
    savedStep = 0;
    bonusFlags.fill(false);
    visitedScenes.fill(false);
    sceneStates.clear();
}

void PlayerProfile::setBonusFlag(int questId)
{
    switch (questId) {
    case 27: bonusFlags[0] = true; break;
    case 41: bonusFlags[1] = true; break;
    case 49: bonusFlags[2] = true; break;
    default: break;
    }
}

bool PlayerProfile::hasBonusFlag(int index) const
{
    return index >= 0 && index < BonusFlagCount && bonusFlags[static_cast<std::size_t>(index)];
}

void PlayerProfile::markSceneVisited(int sceneId)
{
    if (sceneId >= 0 && sceneId < SceneCount)
        visitedScenes[static_cast<std::size_t>(sceneId)] = true;
}

bool PlayerProfile::isSceneVisited(int sceneId) const
{
    return sceneId >= 0 && sceneId < SceneCount && visitedScenes[static_cast<std::size_t>(sceneId)];
}

void PlayerProfile::captureScenes()
{
    sceneStates.clear();
    ItemRegistry* registry = ItemRegistry::instance();
    const std::vector<int32_t> ids = registry->groupIds();
    for (int32_t id : ids) {
        if (sceneStates.size() == MaxSceneStates) {
            logWarning("profiles: \"" + name + "\" keeps the item state of " +
                       std::to_string(MaxSceneStates) + " groups only; " +
                       std::to_string(ids.size() - MaxSceneStates) + " dropped");
            break;
        }
        std::vector<uint8_t> blob = registry->saveGroup(id);
        if (blob.size() > 1)
            sceneStates.push_back(std::move(blob));
    }
}

void PlayerProfile::restoreScenes()
{
    ItemRegistry* registry = ItemRegistry::instance();
    registry->clear();
    for (const std::vector<uint8_t>& blob : sceneStates)
        registry->loadGroup(blob.data(), blob.size());
    registry->relinkSceneItems();
}

void PlayerProfile::captureQuests()
{
    // A quest list that did not load, or holds fewer quests than the stored
    // state, cannot stand for the player's progress: the quests it lacks
    // were never applied, and their flags would be lost with the next save.
    // The stored state is kept as read until the content holds it again.
    const QuestManager* quests = QuestManager::instance();
    const int stored = storedQuestCount();
    if (quests->questCount() < stored) {
        logWarningOnce("profiles: \"" + name + "\" keeps its saved state of " + std::to_string(stored) +
                       " quests; only " + std::to_string(quests->questCount()) + " quests are loaded");
        return;
    }
    questState = quests->saveState();
}

int PlayerProfile::storedQuestCount() const
{
    // questState is always well-formed: its count matches its size.
    if (questState.size() < QuestHead)
        return 0;
    return static_cast<int>((questState.size() - QuestHead) / BytesPerQuest);
}

void PlayerProfile::restoreQuests()
{
    QuestManager* quests = QuestManager::instance();
    quests->reset();
    quests->loadState(questState.data(), questState.size());

    // A stored current quest that names no quest of a list holding every
    // stored one can only come from a damaged save: the story goes on at
    // the first quest not done (the last one when all are), as it would
    // have after that quest's predecessor. A short list says nothing.
    const int count = quests->questCount();
    const int32_t stored = getInt32(questState.data());
    if (count == 0 || storedQuestCount() > count || (stored >= 0 && stored < count))
        return;
    int fitted = count - 1;
    for (int i = 0; i < count; ++i) {
        if (!quests->questAt(i)->done) {
            fitted = i;
            break;
        }
    }
    quests->setCurrent(fitted);
    logWarning("profiles: \"" + name + "\": the saved current quest " + std::to_string(stored) +
               " is not one of the " + std::to_string(count) + " quests; quest " + std::to_string(fitted) +
               " is current");
}

bool PlayerProfile::fitFlowIndex(const GameFlow& flow, const QuestManager& quests)
{
    const int entries = flow.entryCount();
    if (entries == 0 || (flowIndex >= 0 && flowIndex < entries))
        return false;
    const Quest* quest = quests.getCurrent();
    const int atQuest = quest ? flow.entryOfScene(quest->screenId) : -1;
    const int fitted = std::max(atQuest, 0);
    logWarning("profiles: \"" + name + "\": the saved flow position " + std::to_string(flowIndex) +
               " is not one of the story's " + std::to_string(entries) + " entries; the story goes on at " +
               std::to_string(fitted) +
               (atQuest >= 0 ? ", the location of quest " + std::to_string(quest->id) : ", its start"));
    flowIndex = fitted;
    return true;
}

std::vector<uint8_t> PlayerProfile::freshQuestState(int questCount)
{
    const std::size_t count = static_cast<std::size_t>(std::max(questCount, 0));
    std::vector<uint8_t> blob;
    blob.reserve(QuestHead + BytesPerQuest * count);
    putInt32(blob, 0);
    putInt32(blob, static_cast<int32_t>(count));
    blob.resize(QuestHead + BytesPerQuest * count, 0);
    if (count > 0)
        blob[QuestHead + 1] = 1;  // quest 0 open
    return blob;
}

std::vector<uint8_t> PlayerProfile::toBlob() const
{
    const std::string stored = storedName(name);
    // captureScenes and fromBlob never hold more than the one-byte count
    // allows; the cap here keeps the count and the states written in step
    // should that ever change.
    const std::size_t states = std::min(sceneStates.size(), MaxSceneStates);
    std::size_t total = stored.size() + FixedBlobBytes + questState.size();
    for (std::size_t i = 0; i < states; ++i)
        total += 4 + sceneStates[i].size();

    std::vector<uint8_t> blob;
    blob.reserve(total);
    blob.insert(blob.end(), stored.begin(), stored.end());
    blob.push_back(0);
    blob.push_back(gameStarted ? 1 : 0);
    putInt32(blob, flowIndex);
    putInt32(blob, savedStep);
    putInt32(blob, playMode);
    putInt32(blob, score);
    for (bool flag : bonusFlags)
        blob.push_back(flag ? 1 : 0);
    for (bool flag : visitedScenes)
        blob.push_back(flag ? 1 : 0);
    blob.push_back(static_cast<uint8_t>(states));
    for (std::size_t i = 0; i < states; ++i) {
        putInt32(blob, static_cast<int32_t>(sceneStates[i].size()));
        blob.insert(blob.end(), sceneStates[i].begin(), sceneStates[i].end());
    }
    blob.insert(blob.end(), questState.begin(), questState.end());
    return blob;
}

std::unique_ptr<PlayerProfile> PlayerProfile::fromBlob(const uint8_t* data, std::size_t size, std::string& why)
{
    if (!data || size < FixedBlobBytes) {
        why = "profile of " + std::to_string(size) + " bytes is shorter than its fixed part";
        return nullptr;
    }
    const void* zero = std::memchr(data, 0, size);
    if (!zero) {
        why = "profile name has no end";
        return nullptr;
    }
    const std::size_t nameLength = static_cast<std::size_t>(static_cast<const uint8_t*>(zero) - data);
    // The name's zero byte and the 47 bytes after it up to the state count.
    if (size - nameLength < FixedBlobBytes) {
        why = "profile of " + std::to_string(size) + " bytes is too short for a name of " +
              std::to_string(nameLength) + " bytes";
        return nullptr;
    }

    const uint8_t* p = data + nameLength + 1;
    auto profile = std::make_unique<PlayerProfile>(std::string(reinterpret_cast<const char*>(data), nameLength), 0);
    // Each number whose range needs no content is clamped into it here, so a
    // damaged or edited file cannot hand the game a negative position or
    // score or an unknown play mode. The flow position and the current quest
    // have the ranges the story and the quest list give them: they are
    // brought into those when the profile is restored (fitFlowIndex,
    // restoreQuests).
    profile->gameStarted = p[0] != 0;
    profile->flowIndex = std::max(getInt32(p + 1), 0);
    profile->savedStep = std::max(getInt32(p + 5), 0);
    profile->playMode = std::clamp(getInt32(p + 9), static_cast<int32_t>(Casual), static_cast<int32_t>(Fearless));
    profile->score = std::max(getInt32(p + 13), 0);
    for (std::size_t i = 0; i < BonusFlagCount; ++i)
        profile->bonusFlags[i] = p[17 + i] != 0;
    for (std::size_t i = 0; i < SceneCount; ++i)
        profile->visitedScenes[i] = p[20 + i] != 0;
    const std::size_t stateCount = p[46];

    const uint8_t* const end = data + size;
    p += 47;
    for (std::size_t s = 0; s < stateCount; ++s) {
        if (static_cast<std::size_t>(end - p) < 4) {
            why = "scene state " + std::to_string(s) + " of \"" + profile->name + "\" is cut short";
            return nullptr;
        }
        const uint32_t stateSize = getUint32(p);
        p += 4;
        if (stateSize > static_cast<std::size_t>(end - p)) {
            why = "scene state " + std::to_string(s) + " of \"" + profile->name + "\" claims " +
                  std::to_string(stateSize) + " bytes, more than the profile holds";
            return nullptr;
        }
        if (stateSize < ItemRegistry::BlobHeaderSize ||
            !holdsExactly(stateSize, ItemRegistry::BlobHeaderSize, getUint32(p), ItemRegistry::BlobItemSize)) {
            why = "scene state " + std::to_string(s) + " of \"" + profile->name +
                  "\" does not match its item count";
            return nullptr;
        }
        profile->sceneStates.emplace_back(p, p + stateSize);
        p += stateSize;
    }

    // The quest state is the rest of the profile blob, whatever the number
    // of quests loaded today: restoring it applies what fits.
    const std::size_t rest = static_cast<std::size_t>(end - p);
    if (rest < QuestHead || getInt32(p + 4) < 0 ||
        !holdsExactly(rest, QuestHead, static_cast<uint64_t>(getInt32(p + 4)), BytesPerQuest)) {
        why = "quest state of \"" + profile->name + "\" does not match its quest count";
        return nullptr;
    }
    profile->questState.assign(p, end);
    return profile;
}
