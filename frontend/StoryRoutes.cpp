#include "frontend/StoryRoutes.h"

namespace {
// First quest of chapters 2 to 5.
const int ChapterStarts[] = {14, 29, 43, 55};
} // namespace

int StoryRoutes::chapterForQuest(int questId)
{
    int chapter = 1;
    for (int start : ChapterStarts) {
        if (questId >= start)
            ++chapter;
    }
    return chapter;
}

StoryRoutes::Next StoryRoutes::afterPrologue(int questId)
{
    return questId > 0 ? Next::FlowCurrent : Next::ChapterTransition;
}

StoryRoutes::Next StoryRoutes::afterJournal(int questId, bool returnToCaller, bool noPushOnLeave,
                                            bool offerChapterTransition)
{
    if (returnToCaller || noPushOnLeave)
        return Next::Stay;
    if (questId >= ChapterStarts[0])
        return questId == ChapterStarts[0] && offerChapterTransition ? Next::ChapterTransition : Next::Map;
    return offerChapterTransition ? Next::FlowNext : Next::FlowCurrent;
}
