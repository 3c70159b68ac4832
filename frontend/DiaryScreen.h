#pragma once
// The journal, in its simple form: its title, the entry it opens at and a
// "Continue" button. On leaving it pops itself and goes where
// StoryRoutes::afterJournal says: back to the screen below (opened over
// another screen, or with `noPushOnLeave`), chapter transition 1 or the map
// from quest 14 on, else the game flow (moved on for a journal of the flow,
// the current entry after a chapter transition; the main menu when the flow
// has none).
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

    // `turnOnEnter` belongs to the full journal and is not used by this form.
    // `openAtEntryId` -1 means the entry of the current quest.
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
    bool returnToCaller;
    int openAtEntryId;
    bool offerChapterTransition;
    bool noPushOnLeave;
    SimpleScreenLayout layout;
};
