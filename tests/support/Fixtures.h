#pragma once
// Paths of the generated test fixtures (scripts/gen-content.sh writes them
// into the folder named by $QUILL_FIXTURES).
#include <cstdlib>
#include <filesystem>
#include <string>

// The fixture file `name`; `name` itself when $QUILL_FIXTURES is not set.
inline std::string fixture(const std::string& name)
{
    const char* dir = std::getenv("QUILL_FIXTURES");
    return dir ? (std::filesystem::path(dir) / name).string() : name;
}
