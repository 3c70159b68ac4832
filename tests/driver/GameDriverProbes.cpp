#include "tests/driver/GameDriverProbes.h"

#include "tests/driver/FrontendProbes.h"
#include "tests/driver/GameDriver.h"
#include "tests/driver/StoryProbes.h"

void addGameDriverProbes(GameDriver& driver)
{
    // Scene and minigame probes are added here as those screens gain state
    // worth dumping.
    addFrontendProbes(driver);
    addStoryProbes(driver);
}
