#pragma once
// A small store of typed values in a tree of keys, kept in files under the
// user's data folder, for data outside the save file. The game's own settings
// live in the save file, not here.
//
// Addressing: every key lies below the base key "SOFTWARE\<company>", where
// the company key name is process-wide ("Drimsatch" until changed). A value
// path is backslash-separated: everything before the last '\' is the subkey
// below the base key, the last part is the value name ("Settings\Volume" is
// the value Volume of the key Settings; "Volume" a value of the base key).
// Empty key parts are skipped ("a\\b\c" is "a\b\c"); a path ending in '\'
// names the key's unnamed value. Names are case-sensitive and may hold any
// byte: they are escaped on disk, so no name ("..", "a/b", ...) reaches
// outside the store folder.
//
// While the company key name is empty every operation fails: it returns false
// (or an empty result) and touches nothing. No operation reports errors in
// another way; every failure, the disk's included, returns false.
//
// On disk (under getAppDataPath()): "Registry/SOFTWARE/<company>/" holds the
// base key; each key is a folder, each subkey a folder inside it, and each
// value a file "@<name>" inside its key's folder holding the type (uint32,
// little-endian) followed by the data bytes. Values are written to a
// temporary file "#<name>.<pid>" in the same folder, then renamed over the old
// file, so a crash leaves either the old or the new value.
#include <cstdint>
#include <string>
#include <vector>

// Value types.
constexpr uint32_t REG_SZ = 1;      // text, stored without a terminating zero
constexpr uint32_t REG_BINARY = 3;  // raw bytes
constexpr uint32_t REG_DWORD = 4;   // int32, 4 bytes little-endian

// The company key name (one trailing '/' is dropped when the base key is
// built). Empty disables every operation.
void setRegistryCompanyName(const std::string& name);
const std::string& getRegistryCompanyName();

// Reads a value. `size` holds the buffer's size on entry. On success: `type`
// and `size` get the value's type and byte count, and the bytes are copied
// into `buffer`; a null buffer asks for type and size only. When the buffer
// is too small: false, with `type` and `size` set to the value's (the size
// needed) and the buffer untouched. A missing key or value: false, outputs
// untouched.
bool readRegistryValue(const std::string& path, uint32_t& type, void* buffer, uint32_t& size);
// A REG_SZ value of at most 1023 bytes; `out` is unchanged on failure.
bool readRegistryString(const std::string& path, std::string& out);
// A REG_DWORD value; `out` is unchanged on failure.
bool readRegistryDword(const std::string& path, int32_t& out);
// readRegistryDword, then value != 0.
bool readRegistryBool(const std::string& path, bool& out);
// A REG_BINARY value into `buffer` of `length` bytes; `length` then holds the
// byte count (or the count needed, when the buffer is too small: false).
bool readRegistryBinary(const std::string& path, void* buffer, uint32_t& length);

// Writes a value, creating its key and every missing parent key. True once
// the value is on disk; false (old value kept) when the key cannot be created
// or the write fails, or when `data` is null with a non-zero size.
bool writeRegistryValue(const std::string& path, uint32_t type, const void* data, uint32_t size);
// REG_SZ with the string's bytes and no terminating zero.
bool writeRegistryString(const std::string& path, const std::string& value);
// REG_DWORD, 4 bytes.
bool writeRegistryDword(const std::string& path, int32_t value);
// REG_DWORD 1 or 0.
bool writeRegistryBool(const std::string& path, bool value);
// REG_BINARY.
bool writeRegistryBinary(const std::string& path, const void* data, uint32_t size);

// Clears `out`, then fills it with the names of the subkeys of the key
// `subpath` below the base key (one trailing '/' removed; empty means the
// base key), sorted byte-wise. True when the key exists.
bool enumRegistryKeys(const std::string& subpath, std::vector<std::string>& out);
// Deletes the key `subpath` below the base key with its values. Like the
// operating systems' registries, a key that still has subkeys is not deleted
// (false, nothing changes); the base key itself (empty subpath) is never
// deleted. True when the key existed and is gone.
bool deleteRegistryKey(const std::string& subpath);
// Deletes one value. True when it existed and is gone.
bool deleteRegistryValue(const std::string& path);
