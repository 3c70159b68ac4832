#pragma once
// One step of a conversation: a character enters, talks (a labelled line
// with the voice effect of the same name) or leaves; the step ends after
// its timeout or, with timeout -1, on a click.
#include <string>

class DialogSequence;

struct DialogStep {
    enum Kind { Enter = 0, Talk = 1, Leave = 2, Unknown = -1 };

    int character = -1;
    int kind = Unknown;
    // The line as shown (label text, player name put in).
    std::string text = "UNKNOWN";
    // The label id, also the name of the line's voice effect.
    std::string textLabel = "UNKNOWN";
    DialogSequence* owner = nullptr;  // not owned
    // Milliseconds; -1 ends on a click; below -1 never ends.
    int timeout = -1;
};
