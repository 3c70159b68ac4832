#include "tests/driver/GameDriverProbes.h"

#include "tests/driver/GameDriver.h"
#include "tests/driver/SceneDriverSupport.h"
#include "tests/driver/SpellDriverSupport.h"

void addGameDriverProbes(GameDriver& driver)
{
    addSceneDriverSupport(driver);
    addSpellDriverSupport(driver);
}
