#include "tests/driver/GameDriverProbes.h"

#include "tests/driver/AudioRecord.h"
#include "tests/driver/FrontendProbes.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/MiniGameDriver.h"
#include "tests/driver/SceneDriverSupport.h"
#include "tests/driver/SpellDriverSupport.h"
#include "tests/driver/StoryProbes.h"
#include "tests/driver/StoryWalker.h"

void addGameDriverProbes(GameDriver& driver)
{
    addSceneDriverSupport(driver);
    addMiniGameDriver(driver);
    addFrontendProbes(driver);
    addSpellDriverSupport(driver);
    addStoryProbes(driver);
    addStoryWalker(driver);
    addAudioRecord(driver);
}
