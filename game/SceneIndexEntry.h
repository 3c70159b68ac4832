#pragma once
// Where a scene's item file lives: the scene folder (`path`, ending with its
// '/') and the file name inside it. The default entry {-1, "", ""} stands for
// a scene the index does not know.
#include <cstdint>
#include <string>

struct SceneIndexEntry {
    int32_t id = -1;
    std::string fileName;
    std::string path;

    // The item file's path: folder and file name joined as they stand.
    std::string itemFilePath() const { return path + fileName; }
};
