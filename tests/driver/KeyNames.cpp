#include "tests/driver/KeyNames.h"

#include "tests/driver/DriverScript.h"

#include <SDL.h>
#include <cctype>
#include <vector>

namespace {

struct NamedKey {
    const char* name;
    int key;
};

const NamedKey kNamedKeys[] = {
    {"return", SDLK_RETURN}, {"enter", SDLK_RETURN}, {"escape", SDLK_ESCAPE}, {"esc", SDLK_ESCAPE},
    {"space", SDLK_SPACE},   {"tab", SDLK_TAB},      {"backspace", SDLK_BACKSPACE}, {"delete", SDLK_DELETE},
    {"insert", SDLK_INSERT}, {"home", SDLK_HOME},    {"end", SDLK_END},         {"pageup", SDLK_PAGEUP},
    {"pagedown", SDLK_PAGEDOWN}, {"up", SDLK_UP},    {"down", SDLK_DOWN},       {"left", SDLK_LEFT},
    {"right", SDLK_RIGHT},
};

struct NamedModifier {
    const char* name;
    int mask;
};

const NamedModifier kModifiers[] = {
    {"shift", KMOD_LSHIFT}, {"lshift", KMOD_LSHIFT}, {"rshift", KMOD_RSHIFT},
    {"ctrl", KMOD_LCTRL},   {"lctrl", KMOD_LCTRL},   {"rctrl", KMOD_RCTRL},
    {"alt", KMOD_LALT},     {"lalt", KMOD_LALT},     {"ralt", KMOD_RALT},
};

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The key alone (no modifiers); false when the name is unknown.
bool parseKey(const std::string& text, int& key)
{
    if (text.size() == 1) {
        const unsigned char c = static_cast<unsigned char>(text[0]);
        if (!std::isprint(c))
            return false;
        // SDL 1.2 key symbols of printable keys are their lower-case ASCII.
        key = std::tolower(c);
        return true;
    }
    if (text[0] == '#') {
        int code = 0;
        if (!DriverScript::toInt(text.substr(1), code) || code <= 0 || code >= SDLK_LAST)
            return false;
        key = code;
        return true;
    }
    const std::string name = lower(text);
    for (const NamedKey& k : kNamedKeys) {
        if (name == k.name) {
            key = k.key;
            return true;
        }
    }
    if (name[0] == 'f') {
        int n = 0;
        if (DriverScript::toInt(name.substr(1), n) && n >= 1 && n <= 15) {
            key = SDLK_F1 + n - 1;
            return true;
        }
    }
    return false;
}

int unicodeOf(int key, int modifiers)
{
    if (key == SDLK_RETURN || key == SDLK_TAB || key == SDLK_BACKSPACE || key == SDLK_ESCAPE)
        return key;
    if (key < 32 || key > 126)
        return 0;
    if ((modifiers & KMOD_SHIFT) && key >= 'a' && key <= 'z')
        return key - 'a' + 'A';
    return key;
}

} // namespace

bool KeyNames::parse(const std::string& text, KeyChord& chord)
{
    if (text.empty())
        return false;
    // "+" alone, or a chord ending in "+" ("shift++"), names the plus key.
    std::vector<std::string> parts;
    std::string current;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+' && !current.empty()) {
            parts.push_back(current);
            current.clear();
        } else {
            current += text[i];
        }
    }
    if (current.empty())
        return false;
    parts.push_back(current);

    int modifiers = 0;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::string word = lower(parts[i]);
        bool known = false;
        for (const NamedModifier& m : kModifiers) {
            if (word == m.name) {
                modifiers |= m.mask;
                known = true;
            }
        }
        if (!known)
            return false;
    }
    int key = 0;
    if (!parseKey(parts.back(), key))
        return false;
    chord.key = key;
    chord.modifiers = modifiers;
    chord.unicode = unicodeOf(key, modifiers);
    return true;
}
