#pragma once
// A save entry holding one plain value. Two kinds exist:
//  - GenericEntry<int>:  4 bytes, a little-endian int32;
//  - GenericEntry<char>: 1 byte.
// `value` starts at the constructor's argument, which also stays available
// as `defaultValue`. load keeps `value` unchanged when the bytes are missing.
//
// An entry may be given the range its value must lie in (a volume in the
// mixer's 0-128, a flag 0 or 1): the value from the constructor and every
// value loaded are then clamped into it, so a damaged or hand-edited file
// never hands an out-of-range value to the game. A loaded value that had to
// be clamped is reported with one warning line.
#include "engine/core/Log.h"
#include "engine/store/SaveGame.h"
#include "engine/store/SaveGameEntry.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <type_traits>

template <typename T>
class GenericEntry : public SaveGameEntry {
    static_assert(std::is_same<T, int>::value || std::is_same<T, char>::value,
                  "GenericEntry exists for int and char only");
    static_assert(sizeof(int) == sizeof(int32_t), "int entries are stored as int32");

public:
    // Any value of T.
    explicit GenericEntry(T initial) : value(initial), defaultValue(initial) {}
    // Values clamped into [lowest, highest] (lowest <= highest).
    GenericEntry(T initial, T lowest, T highest)
        : value(std::clamp(initial, lowest, highest)), defaultValue(value), low(lowest), high(highest)
    {
    }

    [[nodiscard]] bool load(SaveGame& store) override;
    bool save(SaveGame& store) override;

    T lowest() const { return low; }
    T highest() const { return high; }

    T value;
    const T defaultValue;

private:
    // The loaded value, clamped into the range (with a warning when it was outside).
    T inRange(T loaded) const
    {
        const T kept = std::clamp(loaded, low, high);
        if (kept != loaded)
            logWarning("save: a stored value of " + std::to_string(loaded) + " lies outside " + std::to_string(low) +
                       " to " + std::to_string(high) + "; " + std::to_string(kept) + " is used");
        return kept;
    }

    const T low = std::numeric_limits<T>::min();
    const T high = std::numeric_limits<T>::max();
};

template <>
inline bool GenericEntry<int>::load(SaveGame& store)
{
    int32_t v = 0;
    if (!store.readInt32(v))
        return false;
    value = inRange(v);
    return true;
}

template <>
inline bool GenericEntry<int>::save(SaveGame& store)
{
    return store.writeInt32(value);
}

template <>
inline bool GenericEntry<char>::load(SaveGame& store)
{
    char v = 0;
    if (!store.read(&v, 1))
        return false;
    value = inRange(v);
    return true;
}

template <>
inline bool GenericEntry<char>::save(SaveGame& store)
{
    return store.write(&value, 1);
}
