#pragma once
// The music of the hidden-object scenes: for each scene index a list of
// music files, of which a scene plays one picked at random when it starts.
//
// "content/config/scene/music.xml": root <SceneMusic path="folder/">; each
// <Scene index="1,3"> holds <Music file="..."/> elements. Every file of a
// <Scene> is appended, in order, to the list of each index it names. The
// indexes are read like C atoi, piece by piece, so an empty piece ("2,,4")
// stands for scene 0. <Scene> without "index" and <Music> without "file"
// are skipped, as is a <Music> whose "file" is empty (with a warning).
#include "game/SingletonContainer.h"

#include <map>
#include <string>
#include <vector>

class SceneMusic : public SingletonContainer<SceneMusic> {
public:
    // Empty: no scene has music. The game uses the one instance(); tests
    // may make their own.
    SceneMusic();
    ~SceneMusic() override;

    // Adds the file's tracks to the table. Returns false, adding nothing,
    // when the file cannot be read or parsed or its root is not <SceneMusic>
    // (one error line).
    [[nodiscard]] bool loadSceneMusic(const std::string& path);

    // The folder joined to one of the scene's files picked at random; "" for
    // a scene without music.
    std::string musicForScene(int sceneIndex) const;
    // The scene's files in file order (without the folder); empty when none.
    std::vector<std::string> tracksFor(int sceneIndex) const;
    const std::string& getFolder() const { return folder; }

private:
    std::map<int, std::vector<std::string>> tracks;
    std::string folder;
};
