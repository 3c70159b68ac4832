#pragma once
// The journal: the story book over "content/story/journal/JournalEntries.xml"
// holding the entries up to the one it opens at, with previous (0), next (1)
// and CONTINUE (2) buttons and its opening and closing voices.
//
// Made by the game flow ("DiaryScreen" entry: offers chapter transition 1),
// by the map (returnToCaller: it only leaves, and turns a page on entering)
// and by a chapter transition (turns a page on entering, offers nothing).
// CONTINUE disables the buttons, plays "VO_CLOSING_STORYBOOK" and closes
// (code 2) when it has played. On leaving it pops itself and goes where
// StoryRoutes::afterJournal says; the journal of a flow entry moves the
// flow on (reopening the same entry would show the journal for ever), the
// one after a chapter transition shows the current entry; no current quest
// counts as quest 0.
//
// Fades: 500 ms in and out. Keys do nothing; clicks during a turn are ignored.
#include "engine/anim/ActionListener.h"
#include "engine/ui/QuarnButtonListener.h"
#include "frontend/BookScreen.h"

#include <memory>

class ActionDelay;
class QuarnButton;

class DiaryScreen : public BookScreen, public QuarnButtonListener, public ActionListener {
public:
    enum ButtonId { PreviousButton = 0, NextButton = 1, ContinueButton = 2 };
    static constexpr int ContinueCode = 2;
    static constexpr int FadeMs = 500;
    static constexpr const char* BookFile = "content/story/journal/JournalEntries.xml";

    // `openAtEntryId` -1 means the entry of the current quest.
    DiaryScreen(bool returnToCaller, int openAtEntryId, bool turnOnEnter, bool offerChapterTransition,
                bool noPushOnLeave);
    ~DiaryScreen() override;

    void onKey(KeyEvent* event) override;
    // QuarnButtonListener: releases (event 1) while no page turns.
    void onButtonEvent(int id, int event) override;
    // ActionListener: the closing voice has played (id 0).
    void onActionFinished(int32_t id) override;
    void onPageSwitched(int direction) override;

    int getOpenAtEntryId() const { return openAtEntryId; }
    bool isNoPushOnLeave() const { return noPushOnLeave; }
    QuarnButton* getButton(int id) const;

protected:
    void loadResources() override;
    void build() override;
    void onUpdate(int dt) override;
    void onEntered() override;
    void onClosed(int resultCode) override;
    void drawUnder3D(Graphics& g) override;

private:
    void updateTurnButtons();

    bool turnOnEnter;
    bool returnToCaller;
    bool offerChapterTransition;
    int openAtEntryId;
    bool noPushOnLeave;
    QuarnButton* previousButton = nullptr;  // owned by the screen's widgets
    QuarnButton* nextButton = nullptr;
    QuarnButton* continueButton = nullptr;
    std::unique_ptr<ActionDelay> closeDelay;
};
