#pragma once
// The memory match minigame (quests 2 and 27): symbols slide one after the
// other through the window of a sheet of paper, and for each new one the
// player answers with "MATCH" or "DONT_MATCH" whether it is the symbol that
// showed before it. Each answer is judged on the spot (a sound and a green
// "CORRECT" or red "NOT_CORRECT" above the paper); the twentieth answer
// solves the game whatever the answers were. The rules are MemoryMatchRules.
//
// At first only "START" shows; it brings the answer buttons in and the
// first slide. A slide takes 500 ms (a 100 ms pause, then 400 ms of
// movement); clicks during it are ignored.
//
// Pictures: the registered "MG_MEMORYMATCH_PAPER" (a window at 359, 200,
// 305 x 264 shows what lies under it) and "MG_MEMORYMATCH_PAPER_PATCH";
// the quest's own under "content/images/minigames/01_memmatch/Quest<id + 1>/":
// bg and Symbol1 ... Symbol12, each with "Game.Images.Extension",
// registered under their paths. Sounds "MG_MEMORYMATCH_SLIDE",
// "MG_CORRECT", "MG_NOTCORRECT".
#include "minigames/MemoryMatchRules.h"
#include "minigames/MiniGameBase.h"

#include <map>
#include <string>

class Action;
class GLTexture;
class QuarnButton;

class MgMemoryMatch : public MiniGameBase {
public:
    // Where the symbols show, and where the verdict is drawn.
    static const WidgetGeometry Window;
    static constexpr int VerdictY = 156;

    explicit MgMemoryMatch(int questId);
    ~MgMemoryMatch() override;

    // Clicks (event 1) on START, MATCH and DONT_MATCH; none while a slide
    // runs or after the last answer.
    void onButtonEvent(int id, int event) override;
    // The slide's end moves the symbols on; 1122 the finished message.
    void onActionFinished(int32_t id) override;

    // The rules' description and whether a slide runs ("sliding=1").
    std::string puzzleState() const override;

    const MemoryMatchRules& getRules() const { return rules; }
    bool isSliding() const;
    int getSlideOffset() const { return slideOffset; }
    const std::string& getImageKey() const { return imageKey; }
    QuarnButton* getStartButton() const { return startButton; }
    QuarnButton* getMatchButton() const { return matchButton; }
    QuarnButton* getDontMatchButton() const { return dontMatchButton; }

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;

private:
    void slideNext();
    GLTexture* symbol(int number) const;

    MemoryMatchRules rules;
    std::string imageKey;
    int slideOffset = 0;
    bool answered = false;
    QuarnButton* startButton = nullptr;      // owned by the screen
    QuarnButton* matchButton = nullptr;      // owned by the screen
    QuarnButton* dontMatchButton = nullptr;  // owned by the screen
    GLTexture* background = nullptr;         // the screen's manager
    std::map<int, GLTexture*> symbols;       // the screen's manager
    Action* slide = nullptr;                 // in the frame's action list
};
