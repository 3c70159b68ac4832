#pragma once
// A save entry holding one plain value. Two kinds exist:
//  - GenericEntry<int>:  4 bytes, a little-endian int32;
//  - GenericEntry<char>: 1 byte.
// `value` starts at the constructor's argument, which also stays available
// as `defaultValue`. load keeps `value` unchanged when the bytes are missing.
#include "engine/store/SaveGame.h"
#include "engine/store/SaveGameEntry.h"

#include <cstdint>
#include <type_traits>

template <typename T>
class GenericEntry : public SaveGameEntry {
    static_assert(std::is_same<T, int>::value || std::is_same<T, char>::value,
                  "GenericEntry exists for int and char only");
    static_assert(sizeof(int) == sizeof(int32_t), "int entries are stored as int32");

public:
    explicit GenericEntry(T initial) : value(initial), defaultValue(initial) {}

    [[nodiscard]] bool load(SaveGame& store) override;
    bool save(SaveGame& store) override;

    T value;
    const T defaultValue;
};

template <>
inline bool GenericEntry<int>::load(SaveGame& store)
{
    int32_t v = 0;
    if (!store.readInt32(v))
        return false;
    value = v;
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
    value = v;
    return true;
}

template <>
inline bool GenericEntry<char>::save(SaveGame& store)
{
    return store.write(&value, 1);
}
