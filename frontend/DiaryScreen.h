#pragma once
// The journal, in its simple form: its title, the entry it opens at and a
// "Continue" button. On leaving it pops itself; then, unless `noPushOnLeave`
// is set, it continues the game flow (GameFlow::nextScreen(true)) and shows
// that screen (the main menu when the flow has none). With the flag set the
// screen below runs again.
//
// Fades: 500 ms in and out.
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/SimpleScreenLayout.h"

class DiaryScreen : public ScreenBase, public QuarnButtonListener {
public:
    enum ButtonId { ContinueButton = 2 };
    static constexpr int ContinueCode = 2;
    static constexpr int FadeMs = 500;

    // The three unnamed flags are the full journal's (return to the caller,
    // turn a page on entering, offer a chapter transition) and are not used
    // by this form. `openAtEntryId` -1 means the entry of the current quest.
    DiaryScreen(bool returnToCaller, int openAtEntryId, bool turnOnEnter, bool offerChapterTransition,
                bool noPushOnLeave);

    // QuarnButtonListener: a click (event 1) on "Continue" closes the journal.
    void onButtonEvent(int id, int event) override;

    int getOpenAtEntryId() const { return openAtEntryId; }
    bool isNoPushOnLeave() const { return noPushOnLeave; }

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    void onClosed(int resultCode) override;

private:
    int openAtEntryId;
    bool noPushOnLeave;
    SimpleScreenLayout layout;
};
