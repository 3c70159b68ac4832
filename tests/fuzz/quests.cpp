// Fuzzes the quest list reader, then plays the list it read: completing
// every quest opens the ones it names, and the state saves and loads back.
#include "game/Quest.h"
#include "game/QuestManager.h"
#include "tests/fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = fuzz::scratchPath("Quests.xml");
    fuzz::writeInput(path, data, size);

    QuestManager quests;
    if (!quests.load(path))
        return 0;
    quests.reset();
    for (int i = 0; i < quests.questCount(); ++i) {
        quests.complete(i);
        (void)quests.openLocations();
        (void)quests.journalEntryForCurrent();
    }
    const std::vector<uint8_t> state = quests.saveState();
    if (quests.loadState(state.data(), state.size()) != state.size())
        __builtin_trap();
    return 0;
}
