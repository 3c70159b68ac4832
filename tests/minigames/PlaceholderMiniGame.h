#pragma once
// The tests' stand-in for a minigame, on the real frame: it shows its name
// and quest over the common minigame background with two buttons.
// "Solved" counts as winning the puzzle (onSolved: the finished message
// follows and its OK closes with 100); "Skip" presses the frame's skip
// button at once, without waiting for its countdown (in fearless mode the
// frame asks first). The frame's own buttons, tutorial and endings work as
// in every game.
#include "frontend/SimpleScreenLayout.h"
#include "minigames/MiniGameBase.h"

#include <string>

class PlaceholderMiniGame : public MiniGameBase {
public:
    // Ids of the two buttons.
    static constexpr int SolvedButtonId = 1;
    static constexpr int SkipNowButtonId = 2;

    // `questId` is copied; `title` is the name the screen shows.
    PlaceholderMiniGame(int questId, const std::string& title);

    const std::string& getTitle() const { return title; }

    // A click (event 1) on "Solved" or "Skip".
    void onButtonEvent(int id, int event) override;
    // The title: what stands on the screen.
    std::string puzzleState() const override;

protected:
    void build() override;
    void drawBackground(Graphics& g) override;

private:
    std::string title;
    SimpleScreenLayout layout;
};
