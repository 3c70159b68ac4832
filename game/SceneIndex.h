#pragma once
// The scene index: for every scene id, the folder and file of the scene's
// items. One instance per process, created empty on first use by instance().
// The game application fills it at start-up from
// "content/config/scene/sceneIndex.xml" and the scene screen reloads it when
// it is built.
//
// Index file: root element <Indexes>, children <Index id=".." fileName=".."
// path=".."/>. An element lacking one of the three attributes is skipped; of
// two elements with the same id the first counts; ids are read with atoi.
#include "game/SingletonContainer.h"
#include "game/SceneIndexEntry.h"

#include <map>
#include <string>

class SceneIndex : public SingletonContainer<SceneIndex> {
public:
    using Map = std::map<int32_t, SceneIndexEntry>;

    SceneIndex() = default;

    // Replaces the contents with the index file at `path`. When the file
    // cannot be read or its root element is not <Indexes>, the index keeps
    // what it held and false is returned (the reason is logged).
    [[nodiscard]] bool load(const std::string& path);

    // The entry of the scene, or the default entry {-1, "", ""} when the index
    // has none (nothing is inserted).
    SceneIndexEntry entryOf(int32_t sceneId) const;

    const Map& entries() const { return map; }
    Map& entries() { return map; }

private:
    Map map;
};

// Fills `target` from the index file at `path` (see SceneIndex::load).
bool loadSceneIndex(const std::string& path, SceneIndex& target);
// The same into the process-wide SceneIndex::instance().
bool loadSceneIndex(const std::string& path);
