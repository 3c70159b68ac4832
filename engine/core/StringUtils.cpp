#include "engine/core/StringUtils.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <sys/stat.h>
#include <sys/types.h>

#include <utf8.h>

std::string toUpper(const std::string& s)
{
    std::string r(s);
    for (char& c : r)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return r;
}

void splitString(const std::string& s, std::vector<std::string>& out, char separator)
{
    std::string::size_type start = 0;
    for (;;) {
        const std::string::size_type pos = s.find(separator, start);
        if (pos == std::string::npos) {
            out.push_back(s.substr(start));
            return;
        }
        out.push_back(s.substr(start, pos - start));
        start = pos + 1;
    }
}

std::vector<std::string> splitString(const std::string& s, char separator)
{
    std::vector<std::string> out;
    splitString(s, out, separator);
    return out;
}

namespace {
std::string envOrEmpty(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}
}

std::string getAppDataPath()
{
    std::string path = envOrEmpty("APPDATA");
    if (path.empty())
        path = envOrEmpty("XDG_DATA_HOME");
    if (path.empty()) {
        const std::string home = envOrEmpty("HOME");
        if (!home.empty() && home != "/")
            path = home + "/.local/share";
    }
    if (path.empty()) {
        path = envOrEmpty("TMPDIR");
        if (path.empty())
            path = "/tmp";
    }
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

bool makeDirectories(const std::string& path)
{
    if (path.empty())
        return false;
    // Every prefix before a '/', from the left, then the whole path.
    for (std::string::size_type pos = path.find('/', 1); pos != std::string::npos; pos = path.find('/', pos + 1))
        ::mkdir(path.substr(0, pos).c_str(), 0755);
    ::mkdir(path.c_str(), 0755);
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string removeTrailingSlash(const std::string& s)
{
    if (!s.empty() && s.back() == '/')
        return s.substr(0, s.size() - 1);
    return s;
}

namespace {
// Index of the extension dot, or npos when the last '.' is not in the last path element.
std::string::size_type extensionDot(const std::string& path)
{
    const std::string::size_type dot = path.rfind('.');
    if (dot == std::string::npos)
        return dot;
    const std::string::size_type slash = path.rfind('/');
    if (slash != std::string::npos && slash > dot)
        return std::string::npos;
    return dot;
}
}

std::string getExtension(const std::string& path)
{
    const auto dot = extensionDot(path);
    return dot == std::string::npos ? std::string() : path.substr(dot + 1);
}

std::string removeExtension(const std::string& path)
{
    const auto dot = extensionDot(path);
    return dot == std::string::npos ? path : path.substr(0, dot);
}

int toIntOrDefault(const char* s, int def)
{
    return s ? std::atoi(s) : def;
}

int stringToInt(const std::string& s)
{
    return std::atoi(s.c_str());
}

std::string wideToUtf8(const std::u16string& s)
{
    std::string out;
    try {
        utf8::utf16to8(s.begin(), s.end(), std::back_inserter(out));
    } catch (const utf8::exception&) {
        // A lone surrogate: keep what converted so far.
    }
    return out;
}

std::string wideToUtf8(const std::wstring& s)
{
    std::string out;
    try {
        if (sizeof(wchar_t) == 4)
            utf8::utf32to8(s.begin(), s.end(), std::back_inserter(out));
        else
            utf8::utf16to8(s.begin(), s.end(), std::back_inserter(out));
    } catch (const utf8::exception&) {
    }
    return out;
}

namespace {
// Seeds the C library's generator once per process, on first use.
struct RandomSeed {
    RandomSeed() { std::srand(static_cast<unsigned>(std::time(nullptr))); }
};
}

int randomBelow(int n)
{
    static RandomSeed seed;
    (void)seed;
    if (n <= 0)
        return 0;
    return std::rand() % n;
}

void replaceChar(const std::string& s, std::string& out, char from, char to)
{
    out = s;
    if (from == to)
        return;
    for (char& c : out)
        if (c == from)
            c = to;
}

std::string replaceChar(const std::string& s, char from, char to)
{
    std::string out;
    replaceChar(s, out, from, to);
    return out;
}
