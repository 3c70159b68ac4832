#include "minigames/ContentBounds.h"

#include "engine/core/Log.h"

#include <algorithm>

namespace {

void report(int value, int lo, int hi, const std::string& file, const std::string& key, const std::string& instead)
{
    logErrorOnce(file + ": \"" + key + "\" = " + std::to_string(value) + " is out of " + std::to_string(lo) + " to " +
                 std::to_string(hi) + "; " + instead);
}

} // namespace

int ContentBounds::count(int value, int max, const std::string& file, const std::string& key)
{
    if (value >= 0 && value <= max)
        return value;
    report(value, 0, max, file, key, "none is used");
    return 0;
}

int ContentBounds::clamped(int value, int lo, int hi, const std::string& file, const std::string& key)
{
    if (value >= lo && value <= hi)
        return value;
    const int used = std::clamp(value, lo, hi);
    report(value, lo, hi, file, key, std::to_string(used) + " is used");
    return used;
}

bool ContentBounds::inRange(int value, int lo, int hi, const std::string& file, const std::string& key,
                            const std::string& instead)
{
    if (value >= lo && value <= hi)
        return true;
    report(value, lo, hi, file, key, instead);
    return false;
}

bool ContentBounds::onScreen(int x, int y, const std::string& file, const std::string& key, const std::string& instead)
{
    return inRange(x, 0, LayoutWidth - 1, file, key + ".x", instead) &&
           inRange(y, 0, LayoutHeight - 1, file, key + ".y", instead);
}
