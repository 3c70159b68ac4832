#include "tests/driver/DriverScript.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r';
}

} // namespace

bool DriverScript::parse(const std::string& text, std::vector<ScriptLine>& lines, std::string& error)
{
    std::vector<ScriptLine> result;
    std::istringstream in(text);
    std::string raw;
    int number = 0;
    while (std::getline(in, raw)) {
        ++number;
        ScriptLine line;
        line.number = number;
        size_t i = 0;
        while (i < raw.size()) {
            while (i < raw.size() && isBlank(raw[i]))
                ++i;
            if (i >= raw.size())
                break;
            std::string word;
            if (raw[i] == '"') {
                const size_t close = raw.find('"', i + 1);
                if (close == std::string::npos) {
                    error = "line " + std::to_string(number) + ": unterminated quote";
                    return false;
                }
                word = raw.substr(i + 1, close - i - 1);
                i = close + 1;
            } else {
                // A comment starts a word with '#', unless it is a raw key
                // code ("#278") after a word.
                if (raw[i] == '#' && (line.words.empty() || i + 1 >= raw.size() || raw[i + 1] < '0' ||
                                      raw[i + 1] > '9'))
                    break;
                while (i < raw.size() && !isBlank(raw[i]))
                    word += raw[i++];
            }
            line.words.push_back(word);
        }
        if (!line.words.empty())
            result.push_back(line);
    }
    lines.swap(result);
    return true;
}

bool DriverScript::toInt(const std::string& text, int& value)
{
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || v < -2147483647L - 1 || v > 2147483647L)
        return false;
    if (text[0] == ' ' || text[0] == '\t' || text[0] == '+')
        return false;
    value = static_cast<int>(v);
    return true;
}
