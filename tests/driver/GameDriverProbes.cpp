#include "tests/driver/GameDriverProbes.h"

#include "tests/driver/GameDriver.h"
#include "tests/driver/MiniGameDriver.h"

void addGameDriverProbes(GameDriver& driver)
{
    // Scene probes are added here as those screens gain state worth
    // dumping.
    addMiniGameDriver(driver);
}
