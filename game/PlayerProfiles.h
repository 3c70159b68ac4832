#pragma once
// The players of this machine: the list of player profiles in creation
// order, the index of the current one (-1 for none) and the table of the ten
// best scores, best first. One instance for the whole run; it is also the
// save-store entry "PLAYER_PROFILES", so the whole list goes into the save
// file with the settings. The application registers the instance with its
// store, which then owns it (deleting it makes instance() forget it).
//
// The current profile carries the live game state (item registry, quest
// manager, game-flow position): saving and selecting another profile copy
// it into the profile first, and selecting or loading copy the new current
// profile's state back into the live services. So while a profile is
// current the game flow's position is that profile's, moved only by play,
// and a save or a switch never gives a profile another's position.
//
// "PLAYER_PROFILES" record (little-endian):
//   u32 P, then per profile: u32 size, that many bytes of the profile blob
//       (see PlayerProfile);
//   u32 H, then per high score: u32 size = name length + 5, the name bytes,
//       one zero byte, i32 score;
//   i32 current (-1 for none).
// A fresh list (no profiles, ten rows "-" with 0, none current) is
// 00000000 0a000000 (06000000 2d 00 00000000) x 10 ffffffff.
//
// Loading trusts nothing in the record: every count and size is checked
// against the bytes left before anything is allocated for it, and every
// profile blob and score row must be well-formed (see PlayerProfile::fromBlob).
// A record that fails any check is refused as a whole: load returns false
// and the list keeps what it held before, the live game state untouched.
// Numbers out of their range (a negative score, an unknown play mode) are
// clamped into it rather than refused; those whose range comes from the
// content (the flow position, the current quest) when the profile is
// restored, if that content has loaded (see PlayerProfile).
#include "engine/store/SaveGameEntry.h"
#include "game/HighScoreEntry.h"
#include "game/SingletonContainer.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class PlayerProfile;
class SaveGame;

class PlayerProfiles : public SaveGameEntry, public SingletonContainer<PlayerProfiles> {
public:
    // Rows of the high-score table.
    static constexpr std::size_t HighScoreCount = 10;

    // No profiles, none current, ten rows of score 0 and name "-". The game
    // uses the one instance(); tests may make their own.
    PlayerProfiles();
    ~PlayerProfiles() override;

    // The current profile (owned by the list), or null when none is current.
    PlayerProfile* currentProfile() const;
    // Index of the current profile, -1 for none.
    int getCurrentIndex() const { return current; }
    int profileCount() const { return static_cast<int>(profiles.size()); }
    // The profile at the index (owned by the list), or null outside the list.
    PlayerProfile* profileAt(int index) const;

    // Makes the profile at the index current: the profile current so far
    // first takes the live game state (scenes, quests, flow position), then
    // the chosen one's state is restored and the game flow moves to its flow
    // position (brought into the story first: PlayerProfile::fitFlowIndex).
    // Selecting the current profile captures and restores it. An index
    // outside the list does nothing.
    void select(int index);
    // Appends a new profile (see PlayerProfile's constructor) and returns it
    // (owned by the list). The current profile does not change.
    PlayerProfile* addProfile(const std::string& name, int playMode);
    // Destroys the profile at the index; nothing for an index outside the
    // list. The current index becomes -1 when it was that profile (and the
    // live game state goes back to a fresh game: no scenes, quests reset,
    // flow position 0), drops by one when it was after it, else stays.
    void removeProfile(int index);
    // The first profile whose name equals `name` exactly, or null.
    PlayerProfile* findByName(const std::string& name) const;

    // The table, best first; always ten rows.
    const std::vector<HighScoreEntry>& getHighScores() const { return highScores; }
    // Records the profile's name and score: nothing when a row with the same
    // name and score exists; otherwise the row joins the table, which is
    // sorted (higher score first, at equal scores the byte-wise greater name
    // first, earlier rows first among equals) and cut back to ten. A null
    // profile does nothing.
    void addHighScore(const PlayerProfile* profile);

    // SaveGameEntry: the record above. save first captures the current
    // profile's live state and flow position. load replaces the list and
    // table only when the whole record is sound, and then restores the
    // current profile's scenes and quests and moves the game flow to its
    // flow position (with no current profile the flow is left alone); a
    // table with other than ten rows is sorted and filled or cut to ten.
    [[nodiscard]] bool load(SaveGame& store) override;
    bool save(SaveGame& store) override;

private:
    // Copies the live game state into the current profile, if any.
    void captureCurrent();

    // Index into `profiles`, -1 for none.
    int current = -1;
    std::vector<std::unique_ptr<PlayerProfile>> profiles;
    // Always HighScoreCount rows, best first.
    std::vector<HighScoreEntry> highScores;
};
