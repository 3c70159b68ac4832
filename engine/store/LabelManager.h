#pragma once
// Localised texts by label id. The application owns one and fills it at
// start-up from the label file named in the configuration; translating the
// game means shipping another label file.
//
// Label file: root element <Strings>; every child element, whatever its tag,
// is one label: the NAME of its first attribute is the id and that
// attribute's value the text (kept as the file's bytes, line ends as LF).
// Further attributes and the element's content are ignored; a child without
// attributes carries no label and is skipped; a later id replaces an earlier
// one. Ids are case-sensitive.
#include <map>
#include <string>

class LabelManager {
public:
    // What getLabel returns for an id that is not in the table.
    static const char* const notFoundText;

    LabelManager() = default;
    LabelManager(const LabelManager&) = delete;
    LabelManager& operator=(const LabelManager&) = delete;

    // Empties the table, then reads every label of the file. A missing or
    // malformed file, or one whose root is not <Strings>, leaves the table
    // empty, prints one error line naming the file and returns false.
    [[nodiscard]] bool loadLabels(const std::string& path);

    // Stores or replaces one label.
    void setLabel(const std::string& id, const std::string& text);

    // The text under the id, or "error::label not found!" (notFoundText) when
    // no label has that id, so a missing text shows on screen, never blank.
    std::string getLabel(const std::string& id) const;

private:
    std::map<std::string, std::string> labels;
};
