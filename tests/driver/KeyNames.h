#pragma once
// Names of keys and key chords in driver scripts: "a", "F8", "return",
// "shift+F8", "alt+return", "#278" (a raw SDL 1.2 key code). Modifier words
// (shift, ctrl, alt, rshift, rctrl, ralt) join the key with '+'; the left
// variant is used for the plain words. Letters, digits, space, punctuation,
// Return, Tab, Backspace and Escape carry the Unicode value SDL would report
// on a press (upper-case letters with Shift); other keys carry 0.
#include <string>

struct KeyChord {
    int key = 0;
    int modifiers = 0;
    int unicode = 0;
};

class KeyNames {
public:
    // Fills `chord` and returns true when the text names a key; false, with
    // `chord` unchanged, otherwise. Names are case-insensitive.
    static bool parse(const std::string& text, KeyChord& chord);

private:
    KeyNames() = delete;
};
