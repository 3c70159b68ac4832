#pragma once
// The story as an ordered list of screens, the current position in it, and
// the registry that builds a screen from a type name and its attributes.
//
// The list is read from "content/config/GameFlow.xml": root <GameFlow>, one
// <Screen type="..." .../> per step in document order (other elements are
// skipped). The registry is also the general way to build a screen by type
// (the scene script's child screens), which leaves the position alone.
//
// Screens returned by nextScreen and createScreen belong to the caller and
// are not shown yet.
#include "game/GameFlowEntry.h"
#include "game/ScreenCreator.h"
#include "game/SingletonContainer.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class GameFlow : public SingletonContainer<GameFlow> {
public:
    // Empty list, no creators, position 0. The game uses the one instance();
    // tests may make their own.
    GameFlow();
    ~GameFlow() override;

    // Appends one entry per <Screen> element of the file; entries already
    // present stay. A <Screen> without "type" is skipped with a warning.
    // Returns false, adding nothing, when the file cannot be read or parsed
    // or its root is not <GameFlow> (one error line).
    [[nodiscard]] bool load(const std::string& path);

    // Stores the factory under the type name; a name already registered gets
    // the new factory.
    void registerFactory(const std::string& type, ScreenFactory factory);
    bool hasFactory(const std::string& type) const;

    // With `advance` the position moves on by one first (it may pass the
    // end). Then a new screen for the entry at the position, or null when the
    // position is outside the list or the entry's type has no creator. The
    // position is never moved back.
    ScreenBase* nextScreen(bool advance);
    // A new screen of the type built from the attributes, or null for a type
    // without a creator. The position does not move.
    ScreenBase* createScreen(const std::string& type, const ScreenAttributes& attributes) const;

    int entryCount() const { return static_cast<int>(entries.size()); }
    // The entry at the position, or null outside the list.
    const GameFlowEntry* entryAt(int position) const;
    // The position of the first "scene" entry whose "sceneId" is the given
    // id, or -1 when the list has none.
    int entryOfScene(int sceneId) const;

    // The current position in the list: saved per player and set directly by
    // the main menu, the map and the player profiles; moved on by
    // nextScreen(true).
    int index = 0;

private:
    std::map<std::string, std::unique_ptr<ScreenCreator>> creators;
    std::vector<std::unique_ptr<GameFlowEntry>> entries;
};
