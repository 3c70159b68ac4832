#pragma once
// Shared by the fuzz targets: the readers under test take file paths, so each
// input is written to a file in a private per-process folder (on /dev/shm
// when it exists, a memory file system) and the real reader opens it. The
// folder goes away when the process exits normally.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace fuzz {

inline const std::string& scratchFolder()
{
    // Never destroyed: the exit handler below still needs it after static
    // objects are gone.
    static const std::string* const folder = [] {
        const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        auto* dir = new std::string(std::string(base) + "/quill-fuzz-" + std::to_string(::getpid()));
        ::mkdir(dir->c_str(), 0700);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(scratchFolder(), ec);
        });
        return dir;
    }();
    return *folder;
}

// A path in the scratch folder.
inline std::string scratchPath(const std::string& name)
{
    return scratchFolder() + "/" + name;
}

// Removes every file of the scratch folder: for readers that leave files
// behind (a save loader keeps copies of damaged files), so that one input's
// leftovers neither slow the next ones down nor change what they do.
inline void clearScratch()
{
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(scratchFolder(), ec))
        std::filesystem::remove_all(entry.path(), ec);
}

// Writes the input to the file, replacing it; aborts when it cannot (a broken
// harness must not look like a clean run).
inline void writeInput(const std::string& path, const uint8_t* data, std::size_t size)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || (size > 0 && std::fwrite(data, 1, size, f) != size) || std::fclose(f) != 0)
        std::abort();
}

} // namespace fuzz
