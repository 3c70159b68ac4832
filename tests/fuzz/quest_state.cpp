// Fuzzes the reader of the quest state kept in the save file, over a fixed
// list of quests.
#include "game/QuestManager.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

const char* const QuestList = R"(<GamePlay>
  <Quest id="0" screenId="0" stage="0" opens="1,2" needs="-1"/>
  <Quest id="1" screenId="1" stage="1" opens="3" needs="0"/>
  <Quest id="2" screenId="1" stage="2" opens="3" needs="0"/>
  <Quest id="3" screenId="2" stage="1" opens="" needs="1,2" emptyContainer="true"/>
</GamePlay>)";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string path = [] {
        const std::string p = fuzz::scratchPath("Quests.xml");
        fuzz::writeInput(p, reinterpret_cast<const uint8_t*>(QuestList), std::strlen(QuestList));
        return p;
    }();

    QuestManager quests;
    if (!quests.load(path) || quests.questCount() != 4)
        std::abort();
    if (quests.loadState(data, size) > size)
        __builtin_trap();
    (void)quests.currentId();
    (void)quests.openLocations();
    quests.completeCurrent();
    return 0;
}
