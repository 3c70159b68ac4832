#include "engine/store/ConfigFile.h"

#include "engine/core/Log.h"

#include <cmath>
#include <fstream>
#include <locale>
#include <set>
#include <sstream>

namespace {

const char* const whiteSpace = " \n\t\v\r\f";

std::string trim(const std::string& s)
{
    const std::size_t first = s.find_first_not_of(whiteSpace);
    if (first == std::string::npos)
        return std::string();
    const std::size_t last = s.find_last_not_of(whiteSpace);
    return s.substr(first, last - first + 1);
}

bool isBlank(const std::string& s)
{
    return s.find_first_not_of(whiteSpace) == std::string::npos;
}

// True when `mark` is not empty and occurs in `line`. An empty mark never
// matches, so it switches its feature off instead of matching every line.
bool contains(const std::string& line, const std::string& mark)
{
    return !mark.empty() && line.find(mark) != std::string::npos;
}

// Stream extraction in the classic locale, so that a locale installed by
// someone else cannot change how the tuning numbers read.
template <typename T>
bool parseNumber(const std::string& text, T& out)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    T value{};
    in >> value;
    if (in.fail())
        return false;
    out = value;
    return true;
}

bool parseFloat(const std::string& text, float& out)
{
    float value = 0.0f;
    if (!parseNumber(text, value) || !std::isfinite(value))
        return false;
    out = value;
    return true;
}

ConfigFile* g_gameParameters = nullptr;

// Reports, once per key, that a tuning key was read before the game installed
// its table.
void warnUnset(const std::string& key)
{
    static std::set<std::string> warned;
    if (warned.insert(key).second)
        logWarning("tuning: \"" + key + "\" read before the tuning file was loaded; using the default");
}

} // namespace

ConfigFile::file_not_found::file_not_found(const std::string& name)
    : std::runtime_error("tuning file not found: " + name), fileName(name)
{
}

ConfigFile::ConfigFile(const std::string& fileName_, bool load, const std::string& separator_,
                       const std::string& comment_, const std::string& endMarker_)
    : fileName(fileName_), separator(separator_), comment(comment_), endMarker(endMarker_)
{
    if (load)
        readFile();
}

void ConfigFile::readFile()
{
    std::ifstream in(fileName);
    if (!in)
        throw file_not_found(fileName);

    // A line is read from the file, or taken from `pending` when the value
    // before it stopped at it. A CR before the LF is dropped so that CRLF
    // files read like LF files (also inside multi-line values).
    std::string pending;
    bool havePending = false;
    auto nextLine = [&](std::string& line) {
        if (havePending) {
            line.swap(pending);
            havePending = false;
            return true;
        }
        if (!std::getline(in, line))
            return false;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    };
    auto cutComment = [&](std::string& line) {
        if (!comment.empty()) {
            const std::size_t at = line.find(comment);
            if (at != std::string::npos)
                line.erase(at);
        }
    };

    std::map<std::string, std::string> table;
    std::string line;
    bool ended = false;
    while (nextLine(line)) {
        cutComment(line);
        if (contains(line, endMarker)) {
            ended = true;
            break;
        }
        if (separator.empty())
            continue;
        const std::size_t at = line.find(separator);
        if (at == std::string::npos)
            continue;
        const std::string key = line.substr(0, at);
        std::string value = line.substr(at + separator.size());

        // Continuation lines.
        std::string next;
        while (nextLine(next)) {
            if (isBlank(next)) {
                pending.swap(next);
                havePending = true;
                break;
            }
            std::string cut = next;
            cutComment(cut);
            if (contains(cut, separator) || contains(cut, endMarker)) {
                pending.swap(next);
                havePending = true;
                break;
            }
            // A comment-only line neither ends the value nor adds to it.
            if (!isBlank(cut)) {
                value += '\n';
                value += cut;
            }
        }
        table[trim(key)] = trim(value);
    }
    // A file cut short (a broken copy, a full disk) reads as a shorter table
    // without any other sign; its missing end marker is the one trace left.
    if (!endMarker.empty() && !ended)
        logError("tuning: \"" + fileName + "\" has no \"" + endMarker + "\" line; it may be cut short (" +
                 std::to_string(table.size()) + " keys read, the others take their defaults)");
    contents.swap(table);
}

std::string ConfigFile::getParamString(const std::string& key, const std::string& def) const
{
    const auto it = contents.find(key);
    return it != contents.end() ? it->second : def;
}

int ConfigFile::getParamInt(const std::string& key, int def) const
{
    const auto it = contents.find(key);
    int value = def;
    if (it == contents.end() || !parseNumber(it->second, value))
        return def;
    return value;
}

float ConfigFile::getParamFloat(const std::string& key, float def) const
{
    const auto it = contents.find(key);
    float value = def;
    if (it == contents.end() || !parseFloat(it->second, value))
        return def;
    return value;
}

bool ConfigFile::getParamBool(const std::string& key, bool def) const
{
    const auto it = contents.find(key);
    return it != contents.end() ? stringToBool(it->second) : def;
}

bool stringToBool(const std::string& text)
{
    std::string upper;
    upper.reserve(text.size());
    for (const char c : text)
        upper += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return !(upper == "FALSE" || upper == "F" || upper == "NO" || upper == "N" || upper == "0" ||
             upper == "NONE");
}

float stringToFloat(const std::string& text)
{
    float value = 0.0f;
    return parseFloat(text, value) ? value : 0.0f;
}

void setGameParameters(ConfigFile* table)
{
    g_gameParameters = table;
}

ConfigFile* gameParameters()
{
    return g_gameParameters;
}

std::string getParamString(const std::string& key, const std::string& def)
{
    if (!g_gameParameters) {
        warnUnset(key);
        return def;
    }
    return g_gameParameters->getParamString(key, def);
}

int getParamInt(const std::string& key, int def)
{
    if (!g_gameParameters) {
        warnUnset(key);
        return def;
    }
    return g_gameParameters->getParamInt(key, def);
}

float getParamFloat(const std::string& key, float def)
{
    if (!g_gameParameters) {
        warnUnset(key);
        return def;
    }
    return g_gameParameters->getParamFloat(key, def);
}

bool getParamBool(const std::string& key, bool def)
{
    if (!g_gameParameters) {
        warnUnset(key);
        return def;
    }
    return g_gameParameters->getParamBool(key, def);
}
