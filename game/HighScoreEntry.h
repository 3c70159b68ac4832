#pragma once
// One row of the high-score table: a player's name and the score recorded
// for it. A plain value; the table (PlayerProfiles) keeps ten of them, best
// first. A fresh table holds ten rows of score 0 and name "-".
#include <string>
#include <utility>

class HighScoreEntry {
public:
    HighScoreEntry() = default;
    HighScoreEntry(int score_, std::string name_) : score(score_), name(std::move(name_)) {}

    int getScore() const { return score; }
    // A copy of the name.
    std::string getName() const { return name; }

    bool operator==(const HighScoreEntry& other) const { return score == other.score && name == other.name; }
    bool operator!=(const HighScoreEntry& other) const { return !(*this == other); }

private:
    int score = 0;
    std::string name = "-";
};
