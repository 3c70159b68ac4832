#pragma once
// The story's thresholds and the decisions of the story screens about where
// the game goes next, in one table so that one test covers them:
//  - the chapter of a quest (the map's caption): from quest 14 chapter 2,
//    from 29 chapter 3, from 43 chapter 4, from 55 chapter 5, else 1;
//  - after the prologue: a new game (current quest 0 or none) goes to
//    chapter transition 0; a later one shows the current flow entry again;
//  - after the journal: one that only returns (opened over another screen,
//    or with noPushOnLeave) leaves; from quest 14 on it leads to chapter
//    transition 1 (only at quest 14, and only when it offers one) or the map;
//    before quest 14 the journal of a flow entry moves the flow on, while
//    the journal after a chapter transition shows the current flow entry
//    (moving on from there would skip it).
class StoryRoutes {
public:
    enum class Next { Stay, FlowNext, FlowCurrent, ChapterTransition, Map };

    // Current quest id -1 (none) counts as chapter 1.
    static int chapterForQuest(int questId);
    static Next afterPrologue(int questId);
    // The chapter a ChapterTransition leads with, for Next::ChapterTransition.
    static int prologueChapter() { return 0; }
    static int journalChapter() { return 1; }
    static Next afterJournal(int questId, bool returnToCaller, bool noPushOnLeave, bool offerChapterTransition);
};
