#include "engine/store/Registry.h"

#include "engine/core/StringUtils.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Function-local so that the name exists before any static initialiser of
// another file can call in.
std::string& companyName()
{
    static std::string name = "Drimsatch";
    return name;
}

// ---------------------------------------------------------------------------
// Names on disk

// Key folders and value files share a folder, and a key may have a subkey and
// a value of the same name, so value files carry the prefix '@' and temporary
// files '#'. An escaped name never starts with '.', '@' or '#', so no key name
// can become "." or "..", a value file or a temporary file. '/' and control
// bytes are escaped so no name spans folders.
bool needsEscape(unsigned char c, bool first)
{
    if (c == '%' || c == '/' || c < 0x20 || c == 0x7F)
        return true;
    return first && (c == '.' || c == '@' || c == '#');
}

std::string escapeName(const std::string& name)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(name.size());
    for (size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (needsEscape(c, i == 0)) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0F];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// A '%' not followed by two hex digits (a folder made by hand) stays as it is.
std::string unescapeName(const std::string& name)
{
    std::string out;
    out.reserve(name.size());
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '%' && i + 2 < name.size()) {
            const int hi = hexDigit(name[i + 1]);
            const int lo = hexDigit(name[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        out += name[i];
    }
    return out;
}

// The non-empty parts of a backslash-separated key path.
std::vector<std::string> keyParts(const std::string& path)
{
    std::vector<std::string> parts;
    for (const std::string& p : splitString(path, '\\'))
        if (!p.empty())
            parts.push_back(p);
    return parts;
}

// Folder of the base key, or "" while the company key name is empty.
std::string baseFolder()
{
    const std::vector<std::string> company = keyParts(removeTrailingSlash(companyName()));
    if (company.empty())
        return std::string();
    std::string folder = getAppDataPath() + "/Registry/SOFTWARE";
    for (const std::string& part : company)
        folder += "/" + escapeName(part);
    return folder;
}

// Folder of the key `subpath` below the base key, or "" while disabled.
std::string keyFolder(const std::string& subpath)
{
    std::string folder = baseFolder();
    if (folder.empty())
        return folder;
    for (const std::string& part : keyParts(subpath))
        folder += "/" + escapeName(part);
    return folder;
}

struct ValueLocation {
    std::string folder;  // the key's folder; "" while disabled
    std::string name;    // the value's name
    std::string file() const { return folder + "/@" + escapeName(name); }
};

// Splits at the last '\': the key before it, the value name after it.
ValueLocation locateValue(const std::string& path)
{
    const std::string::size_type cut = path.rfind('\\');
    if (cut == std::string::npos)
        return ValueLocation{baseFolder(), path};
    return ValueLocation{keyFolder(path.substr(0, cut)), path.substr(cut + 1)};
}

bool isFolder(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// ---------------------------------------------------------------------------
// Value files: a uint32 type, little-endian, then the data bytes.

constexpr uint32_t kHeaderSize = 4;

void putUint32(unsigned char* out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
}

uint32_t getUint32(const unsigned char* in)
{
    return static_cast<uint32_t>(in[0]) | static_cast<uint32_t>(in[1]) << 8 | static_cast<uint32_t>(in[2]) << 16 |
           static_cast<uint32_t>(in[3]) << 24;
}

// Reads exactly n bytes; false on a short read or an error.
bool readFully(int fd, unsigned char* out, size_t n)
{
    while (n > 0) {
        const ssize_t got = ::read(fd, out, n);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        out += got;
        n -= static_cast<size_t>(got);
    }
    return true;
}

bool writeFully(int fd, const unsigned char* data, size_t n)
{
    while (n > 0) {
        const ssize_t put = ::write(fd, data, n);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        data += put;
        n -= static_cast<size_t>(put);
    }
    return true;
}

// Closes the descriptor when the scope ends.
class FileHandle {
public:
    explicit FileHandle(int fd_) : fd(fd_) {}
    ~FileHandle()
    {
        if (fd >= 0)
            ::close(fd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int get() const { return fd; }
    // Closes now and reports whether the close succeeded.
    bool close()
    {
        const int r = ::close(fd);
        fd = -1;
        return r == 0;
    }

private:
    int fd;
};

bool readValueFile(const std::string& file, uint32_t& type, void* buffer, uint32_t& size)
{
    FileHandle fh(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (fh.get() < 0)
        return false;
    struct stat st;
    if (::fstat(fh.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < static_cast<off_t>(kHeaderSize) ||
        st.st_size - kHeaderSize > static_cast<off_t>(UINT32_MAX))
        return false;
    unsigned char header[kHeaderSize];
    if (!readFully(fh.get(), header, kHeaderSize))
        return false;
    const uint32_t storedType = getUint32(header);
    const uint32_t storedSize = static_cast<uint32_t>(st.st_size - kHeaderSize);
    if (buffer && storedSize > size) {
        type = storedType;
        size = storedSize;
        return false;
    }
    if (buffer && !readFully(fh.get(), static_cast<unsigned char*>(buffer), storedSize))
        return false;
    type = storedType;
    size = storedSize;
    return true;
}

// Writes the whole file beside the old one, then renames it over: a crash or
// a full disk leaves the old value in place.
bool writeValueFile(const ValueLocation& loc, uint32_t type, const void* data, uint32_t size)
{
    const std::string target = loc.file();
    const std::string temp = loc.folder + "/#" + escapeName(loc.name) + "." + std::to_string(::getpid());
    FileHandle fh(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (fh.get() < 0)
        return false;
    unsigned char header[kHeaderSize];
    putUint32(header, type);
    const bool written = writeFully(fh.get(), header, kHeaderSize) &&
                         writeFully(fh.get(), static_cast<const unsigned char*>(data), size) &&
                         ::fsync(fh.get()) == 0;
    const bool closed = fh.close();
    if (!written || !closed || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

// Names of the entries of a folder, without "." and "..".
bool listFolder(const std::string& folder, std::vector<std::string>& names)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return false;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return true;
}

}  // namespace

void setRegistryCompanyName(const std::string& name)
{
    companyName() = name;
}

const std::string& getRegistryCompanyName()
{
    return companyName();
}

bool readRegistryValue(const std::string& path, uint32_t& type, void* buffer, uint32_t& size)
{
    const ValueLocation loc = locateValue(path);
    if (loc.folder.empty())
        return false;
    return readValueFile(loc.file(), type, buffer, size);
}

bool readRegistryString(const std::string& path, std::string& out)
{
    char buffer[1024];
    uint32_t size = sizeof(buffer) - 1;
    uint32_t type = 0;
    if (!readRegistryValue(path, type, buffer, size) || type != REG_SZ)
        return false;
    out.assign(buffer, size);
    return true;
}

bool readRegistryDword(const std::string& path, int32_t& out)
{
    unsigned char bytes[4];
    uint32_t size = sizeof(bytes);
    uint32_t type = 0;
    if (!readRegistryValue(path, type, bytes, size) || type != REG_DWORD || size != sizeof(bytes))
        return false;
    out = static_cast<int32_t>(getUint32(bytes));
    return true;
}

bool readRegistryBool(const std::string& path, bool& out)
{
    int32_t value = 0;
    if (!readRegistryDword(path, value))
        return false;
    out = value != 0;
    return true;
}

bool readRegistryBinary(const std::string& path, void* buffer, uint32_t& length)
{
    uint32_t type = 0;
    uint32_t size = length;
    const bool ok = readRegistryValue(path, type, buffer, size);
    if (type != REG_BINARY)
        return false;
    length = size;
    return ok;
}

bool writeRegistryValue(const std::string& path, uint32_t type, const void* data, uint32_t size)
{
    if (!data && size > 0)
        return false;
    const ValueLocation loc = locateValue(path);
    if (loc.folder.empty() || !makeDirectories(loc.folder))
        return false;
    return writeValueFile(loc, type, data, size);
}

bool writeRegistryString(const std::string& path, const std::string& value)
{
    if (value.size() > UINT32_MAX)
        return false;
    return writeRegistryValue(path, REG_SZ, value.data(), static_cast<uint32_t>(value.size()));
}

bool writeRegistryDword(const std::string& path, int32_t value)
{
    unsigned char bytes[4];
    putUint32(bytes, static_cast<uint32_t>(value));
    return writeRegistryValue(path, REG_DWORD, bytes, sizeof(bytes));
}

bool writeRegistryBool(const std::string& path, bool value)
{
    return writeRegistryDword(path, value ? 1 : 0);
}

bool writeRegistryBinary(const std::string& path, const void* data, uint32_t size)
{
    return writeRegistryValue(path, REG_BINARY, data, size);
}

bool enumRegistryKeys(const std::string& subpath, std::vector<std::string>& out)
{
    out.clear();
    const std::string folder = keyFolder(removeTrailingSlash(subpath));
    std::vector<std::string> names;
    if (folder.empty() || !isFolder(folder) || !listFolder(folder, names))
        return false;
    for (const std::string& name : names)
        if (name[0] != '@' && name[0] != '#' && isFolder(folder + "/" + name))
            out.push_back(unescapeName(name));
    std::sort(out.begin(), out.end());
    return true;
}

bool deleteRegistryKey(const std::string& subpath)
{
    const std::string path = removeTrailingSlash(subpath);
    if (keyParts(path).empty())
        return false;
    const std::string folder = keyFolder(path);
    std::vector<std::string> names;
    if (folder.empty() || !isFolder(folder) || !listFolder(folder, names))
        return false;
    // Check everything before removing anything: a key with subkeys (or with
    // files this store did not make) stays whole.
    for (const std::string& name : names)
        if ((name[0] != '@' && name[0] != '#') || isFolder(folder + "/" + name))
            return false;
    for (const std::string& name : names)
        if (::unlink((folder + "/" + name).c_str()) != 0 && errno != ENOENT)
            return false;
    return ::rmdir(folder.c_str()) == 0;
}

bool deleteRegistryValue(const std::string& path)
{
    const ValueLocation loc = locateValue(path);
    if (loc.folder.empty())
        return false;
    return ::unlink(loc.file().c_str()) == 0;
}
