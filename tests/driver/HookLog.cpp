#include "tests/driver/HookLog.h"

void HookLog::add(const std::string& text)
{
    items.push_back(HookLogEntry{currentFrame, text});
}

int HookLog::find(const std::string& text, int from) const
{
    for (size_t i = from < 0 ? 0 : static_cast<size_t>(from); i < items.size(); ++i)
        if (items[i].text == text)
            return static_cast<int>(i);
    return -1;
}

int64_t HookLog::frameOf(const std::string& text) const
{
    const int i = find(text);
    return i < 0 ? -1 : static_cast<int64_t>(items[static_cast<size_t>(i)].frame);
}

std::vector<std::string> HookLog::withPrefix(const std::string& prefix) const
{
    std::vector<std::string> out;
    for (const HookLogEntry& e : items)
        if (e.text.compare(0, prefix.size(), prefix) == 0)
            out.push_back(e.text);
    return out;
}

std::string HookLog::dump() const
{
    std::string out;
    for (const HookLogEntry& e : items)
        out += std::to_string(e.frame) + ": " + e.text + "\n";
    return out;
}
