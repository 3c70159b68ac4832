#pragma once
// The frame under every puzzle minigame (the Mg... screens). A minigame
// belongs to one quest and records it when it ends:
//
// Construction makes the minigame's quest current. When a current quest
// exists and its id is lower than the minigame's, the current quest is
// completed first (QuestManager::completeCurrent); then, for a quest id that
// names a quest of the list, that quest becomes current and is marked open.
// An id outside the list changes nothing more; the game still runs.
//
// Ending (onClosed): 100 (solved) and 1000 (skipped) record the quest and
// pop the minigame, so that the screen below it (the scene that opened it)
// runs again. Quests 27, 41 and 49 are not completed here: they are bonus
// quests, recorded as the current player profile's bonus flag instead
// (nothing is recorded when no profile is current). Every other quest id is
// completed (QuestManager::complete). A solved game (100 only) then, when
// the current profile plays in mode 1 (fearless), adds the tuning value
// "Points.MiniGame" (DefaultPoints when absent) to its score and records it
// in the high-score table. Any other code does nothing and leaves the
// minigame on the stack.
//
// Fades: in and out, lengths from the tuning keys
// "MiniGameBase.FadeInTransition" and "MiniGameBase.FadeOutTransition"
// (500 ms when absent; a negative value counts as 0).
//
// The screen shows the minigame's name over the common minigame background
// with two buttons: "Solved" closes with 100, "Skip" with 1000.
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/SimpleScreenLayout.h"

#include <string>

class MiniGameBase : public ScreenBase, public QuarnButtonListener {
public:
    // Close codes.
    static constexpr int SolvedCode = 100;
    static constexpr int SkippedCode = 1000;
    // Fade length used when the tuning key is absent, ms.
    static constexpr int DefaultFadeMs = 500;
    // Points for a solved game when "Points.MiniGame" is absent: none, so a
    // missing tuning line never makes up a score.
    static constexpr int DefaultPoints = 0;

    // `questId` is copied. `title` is the name the screen shows.
    explicit MiniGameBase(int questId, const std::string& title = std::string());

    int getQuestId() const { return questId; }
    const std::string& getTitle() const { return title; }
    // Quests recorded on the player's profile rather than completed.
    static bool isBonusQuest(int questId);

    // QuarnButtonListener: a click (event 1) on "Solved" or "Skip" closes the
    // screen with that code, input off.
    void onButtonEvent(int id, int event) override;

protected:
    // The common minigame pictures into the screen's own manager.
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    void onClosed(int resultCode) override;

private:
    // Ids of the two buttons: the codes they close with.
    enum ButtonId { SolvedButton = SolvedCode, SkipButton = SkippedCode };

    void recordQuest();
    // The solved game's points and high score (play mode 1 only).
    void awardPoints();

    int questId;
    std::string title;
    SimpleScreenLayout layout;
};
