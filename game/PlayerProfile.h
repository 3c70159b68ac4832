#pragma once
// One player's game: name, play mode, score, where the story stands (the
// game-flow position and the mechanics step the current scene resumes at),
// whether a game was started, the three bonus flags, the 26 scene-visited
// flags, the item state of every scene (one item-group blob of the item
// registry per group) and the quest state (the quest manager's blob).
//
// The live game state sits in the item registry, the quest manager and the
// game flow. The current profile copies it out (captureScenes,
// captureQuests) before the save file is written or another profile is
// selected, and copies it back in (restoreScenes, restoreQuests) when it
// becomes current; PlayerProfiles does both at the right moments.
//
// A new profile holds a fresh quest state for the quests loaded at the time
// (current quest 0, quest 0 open, nothing done), so a profile that was never
// current still saves and restores a complete game start.
//
// Profile blob (how a profile is stored inside the "PLAYER_PROFILES" save
// record; little-endian; L = name length):
//   0       L + 1  name bytes and one zero byte
//   L + 1   1      gameStarted (0/1)
//   L + 2   4      flowIndex
//   L + 6   4      savedStep
//   L + 10  4      playMode
//   L + 14  4      score
//   L + 18  3      bonus flags 0, 1, 2 (0/1 each)
//   L + 21  26     visited flags of scenes 0-25 (0/1 each)
//   L + 47  1      S, the number of scene states (at most 255)
//   L + 48  ...    S times: u32 size, then that many bytes of one item-group
//                  blob (u32 item count n, i32 group, 3 bytes per item)
//   then           the quest-state blob: the rest of the profile blob
//                  (i32 current id, i32 quest count N, 3 bytes per quest)
// A name is stored up to its first zero character, if it has one.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class GameFlow;
class QuestManager;

class PlayerProfile {
public:
    enum PlayMode { Casual = 0, Fearless = 1 };
    static constexpr int BonusFlagCount = 3;
    static constexpr int SceneCount = 26;
    // The most scene states a profile blob can hold (a one-byte count).
    static constexpr std::size_t MaxSceneStates = 255;
    // Bytes of a blob besides the name, the scene states and the quest state.
    static constexpr std::size_t FixedBlobBytes = 48;

    // A profile at the start of the game: flow position, saved step, score
    // and every flag 0, no scene states, a fresh quest state (see above).
    PlayerProfile(const std::string& name, int playMode);
    PlayerProfile(const PlayerProfile&) = delete;
    PlayerProfile& operator=(const PlayerProfile&) = delete;

    const std::string& getName() const { return name; }
    void setName(const std::string& newName) { name = newName; }
    // 0 casual, 1 fearless (minigames earn points in mode 1).
    int getPlayMode() const { return playMode; }
    void setPlayMode(int mode) { playMode = mode; }
    int getScore() const { return score; }
    void setScore(int value) { score = value; }
    // Adds the points (negative ones subtract); the score stops at the ends
    // of the int range instead of wrapping.
    void addScore(int points);
    // Set when a game has been started for this profile: the main menu then
    // resumes at the stored flow position instead of starting anew.
    bool isGameStarted() const { return gameStarted; }
    void setGameStarted(bool started) { gameStarted = started; }
    // The stored game-flow position.
    int getFlowIndex() const { return flowIndex; }
    void setFlowIndex(int index) { flowIndex = index; }
    // The mechanics step the current scene resumes at.
    int getSavedStep() const { return savedStep; }
    void setSavedStep(int step) { savedStep = step; }

    // Flow position and saved step to 0, every visited and bonus flag
    // cleared, scene states dropped. Name, mode, score, gameStarted and the
    // quest state stay.
    void resetProgress();

    // Quest 27 sets bonus flag 0, 41 flag 1, 49 flag 2; any other id does
    // nothing.
    void setBonusFlag(int questId);
    // False for an index outside 0-2.
    bool hasBonusFlag(int index) const;

    // Sets the visited flag of scene 0-25; other ids do nothing.
    void markSceneVisited(int sceneId);
    // False for an id outside 0-25.
    bool isSceneVisited(int sceneId) const;

    // Replaces the scene states with one blob per group of the item
    // registry, in its order. Past 255 groups the rest are dropped with a
    // warning (the blob has room for 255).
    void captureScenes();
    // Empties the item registry, loads every stored group blob into it, and
    // gives the loaded items their scene records again.
    void restoreScenes();
    // Replaces the quest state with the quest manager's, unless the quest
    // manager holds fewer quests than the stored state (its list did not
    // load, or is short): then the stored state stays as it was read, so
    // content that could not be read never erases progress (one warning).
    void captureQuests();
    // Resets the quest manager, then applies the stored quest state. When
    // the list holds every stored quest but not the stored current quest (a
    // damaged save), the first quest not done becomes current (the last
    // quest when all are done), with one warning naming the field.
    void restoreQuests();
    // Brings a flow position outside a loaded story into it: to the entry of
    // the current quest's location in `quests` (which must hold this
    // profile's quest state), else to the start of the story, with one
    // warning naming the field. True when it moved. An empty story (its
    // file did not load) gives no range: the position stays.
    bool fitFlowIndex(const GameFlow& flow, const QuestManager& quests);

    // The stored item-group blobs, in capture order.
    const std::vector<std::vector<uint8_t>>& getSceneStates() const { return sceneStates; }
    // The stored quest-state blob.
    const std::vector<uint8_t>& getQuestState() const { return questState; }
    // The number of quests the stored quest state holds.
    int storedQuestCount() const;

    // The profile blob described above.
    std::vector<uint8_t> toBlob() const;
    // A profile built from a blob, or null (with the reason in `why`) when
    // the blob is malformed: too short for its fixed part, no zero byte
    // ending the name, a scene state that overruns the blob or whose item
    // count does not match its size, or a quest state whose quest count
    // does not match the rest of the blob. Nothing is read outside
    // [data, data + size). Flow index, saved step and score below 0 read as
    // 0, a play mode other than 0 or 1 as the nearer of the two; the ranges
    // that come from content are applied on restoring (restoreQuests,
    // fitFlowIndex).
    static std::unique_ptr<PlayerProfile> fromBlob(const uint8_t* data, std::size_t size, std::string& why);

    // A fresh quest-state blob for `questCount` quests: current quest 0,
    // quest 0 open, nothing done or entered.
    static std::vector<uint8_t> freshQuestState(int questCount);

private:
    std::string name;
    int flowIndex = 0;
    int savedStep = 0;
    int playMode = 0;
    int score = 0;
    bool gameStarted = false;
    std::array<bool, BonusFlagCount> bonusFlags{};
    std::array<bool, SceneCount> visitedScenes{};
    // One item-group blob per stored group.
    std::vector<std::vector<uint8_t>> sceneStates;
    // Always a well-formed quest-state blob (see above).
    std::vector<uint8_t> questState;
};
