#pragma once
// Helpers shared by the save-store tests: an application that only supplies
// a game id, an entry with a length-prefixed byte string (the shape of the
// game's variable-length records), and whole-file reading.
#include "engine/core/AppContext.h"
#include "engine/store/SaveGame.h"
#include "engine/store/SaveGameEntry.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

class IdApp : public AppContext {
public:
    explicit IdApp(std::string gameId) : id(std::move(gameId)) {}

    int getWidth() const override { return 1024; }
    int getHeight() const override { return 768; }
    GameClock* getClock() override { return nullptr; }
    Point getMousePos() override { return Point(); }
    ResourceManager* getResources() override { return nullptr; }
    void closeScreen(ScreenBase*) override {}
    void pushScreen(ScreenBase*) override {}
    void setCursorImage(GLTexture*) override {}
    std::string getGameId() const override { return id; }

    std::string id;
};

// int32 length, then that many bytes, written in pieces of at most 4096 bytes
// (many writes per save, as a real record makes). A length that is negative
// or exceeds the bytes left is refused before anything is allocated.
class BytesEntry : public SaveGameEntry {
public:
    explicit BytesEntry(std::string initial) : value(std::move(initial)) {}

    bool load(SaveGame& store) override
    {
        int32_t n = 0;
        if (!store.readInt32(n) || n < 0 || static_cast<std::size_t>(n) > store.bytesLeft())
            return false;
        std::string text(static_cast<std::size_t>(n), '\0');
        if (n > 0 && !store.read(&text[0], text.size()))
            return false;
        value.swap(text);
        return true;
    }

    bool save(SaveGame& store) override
    {
        if (!store.writeInt32(static_cast<int32_t>(value.size())))
            return false;
        for (std::size_t at = 0; at < value.size(); at += 4096) {
            const std::size_t n = std::min<std::size_t>(4096, value.size() - at);
            if (!store.write(value.data() + at, n))
                return false;
        }
        return true;
    }

    std::string value;
};

// The whole file as bytes; "" when it cannot be read.
inline std::string readFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline bool fileExists(const std::string& path)
{
    return std::ifstream(path).good();
}
