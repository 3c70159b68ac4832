#pragma once
// A private folder under /tmp for the fixture files a test writes; removed
// with everything in it when the object goes.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>
#include <unistd.h>

class TempFolder {
public:
    TempFolder()
    {
        char name[] = "/tmp/quill-store-XXXXXX";
        const char* made = ::mkdtemp(name);
        dir = made ? made : "";
    }
    ~TempFolder()
    {
        for (const std::string& f : files)
            std::remove(f.c_str());
        ::rmdir(dir.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return dir; }

    // Writes the bytes exactly as given (no line-end translation) and returns
    // the file's path.
    std::string write(const std::string& name, const std::string& bytes)
    {
        const std::string p = dir + "/" + name;
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out << bytes;
        files.push_back(p);
        return p;
    }

    // A path in the folder where no file exists.
    std::string missing(const std::string& name) const { return dir + "/" + name; }

private:
    std::string dir;
    std::vector<std::string> files;
};
