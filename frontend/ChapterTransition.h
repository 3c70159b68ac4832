#pragma once
// The screen between chapters, in its simple form: the chapter's number and
// a "Continue" button. On leaving it pops itself and shows the journal
// (DiaryScreen opened at the current quest's entry, turning a page on
// entering, no chapter transition offered, continuing the flow when it
// closes). Transitions are the screen defaults unless the opener replaces
// them.
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/SimpleScreenLayout.h"

class ChapterTransition : public ScreenBase, public QuarnButtonListener {
public:
    enum ButtonId { ContinueButton = 0 };
    static constexpr int ContinueCode = 2;

    // The chapter number is copied; null counts as chapter 0.
    explicit ChapterTransition(int* chapter);

    // QuarnButtonListener: a click (event 1) on "Continue" closes the screen.
    void onButtonEvent(int id, int event) override;

    int getChapter() const { return chapter; }

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    void onClosed(int resultCode) override;

private:
    int chapter;
    SimpleScreenLayout layout;
};
