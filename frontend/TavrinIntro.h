#pragma once
// The story-text screen before the story (prologue) and after its last quest
// (epilogue), in its simple form: its title and a "Continue" button. On
// leaving it pops itself, then:
//  - prologue: where StoryRoutes::afterPrologue says: chapter transition 0
//    for a new game (faded in and out over 500 ms), else the current game
//    flow entry (the main menu when the flow has none);
//  - epilogue: the story starts again from its beginning (flow position 0,
//    quests reset) and the main menu is shown.
// Transitions are the screen defaults unless the opener replaces them.
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/SimpleScreenLayout.h"

class TavrinIntro : public ScreenBase, public QuarnButtonListener {
public:
    enum ButtonId { ContinueButton = 0 };
    static constexpr int ContinueCode = 1;

    // The flag is copied; null counts as false (the prologue).
    explicit TavrinIntro(bool* epilogue);

    // QuarnButtonListener: a click (event 1) on "Continue" closes the screen.
    void onButtonEvent(int id, int event) override;

    bool isEpilogue() const { return epilogue; }

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    void onClosed(int resultCode) override;

private:
    bool epilogue;
    SimpleScreenLayout layout;
};
