#pragma once
// A private, fresh folder under /tmp for the files a test writes; removed
// with everything in it (whoever wrote it) when the object goes. path() is
// "" when the folder could not be made.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

class TempFolder {
public:
    TempFolder()
    {
        char name[] = "/tmp/quill-test-XXXXXX";
        const char* made = ::mkdtemp(name);
        dir = made ? made : "";
    }
    ~TempFolder()
    {
        if (dir.empty())
            return;
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder itself.
    const std::string& path() const { return dir; }
    // The path of `name` (which may hold sub-folders) in the folder.
    std::string path(const std::string& name) const { return dir + "/" + name; }

    // Writes the bytes exactly as given (binary, no line-end translation,
    // replacing any earlier file), making the sub-folders of `name` first,
    // and returns the file's path.
    std::string write(const std::string& name, const std::string& bytes) const
    {
        const std::string p = path(name);
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(p).parent_path(), ignored);
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out << bytes;
        return p;
    }

    // A path in the folder where no file exists.
    std::string missing(const std::string& name) const { return path(name); }

private:
    std::string dir;
};
