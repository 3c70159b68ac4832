#pragma once
// The driver's record of what happened, in order: hook calls of the
// application and of test screens, script markers and state dumps. Each
// entry carries the number of the frame during which it was added (0 before
// the first frame; between frames, the last frame run).
#include <cstdint>
#include <string>
#include <vector>

struct HookLogEntry {
    uint64_t frame = 0;
    std::string text;
};

class HookLog {
public:
    void setFrame(uint64_t frame) { currentFrame = frame; }
    uint64_t frame() const { return currentFrame; }

    void add(const std::string& text);
    void clear() { items.clear(); }
    const std::vector<HookLogEntry>& entries() const { return items; }

    // Index of the first entry at or after `from` whose text is exactly
    // `text`, or -1.
    int find(const std::string& text, int from = 0) const;
    // Frame of the first entry with exactly this text, or -1.
    int64_t frameOf(const std::string& text) const;
    // Texts of the entries that begin with `prefix`, in order.
    std::vector<std::string> withPrefix(const std::string& prefix) const;
    // Every entry as "frame: text", one per line (for failure messages).
    std::string dump() const;

private:
    uint64_t currentFrame = 0;
    std::vector<HookLogEntry> items;
};
