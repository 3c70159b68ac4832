#include "quillendar/ScreenCreators.h"

#include "game/GameFlow.h"

#include "engine/core/Log.h"
#include "engine/core/StringUtils.h"

#include "frontend/DialogScreen.h"
#include "frontend/DiaryScreen.h"
#include "frontend/MainMenu.h"
#include "minigames/MgCastingSpells.h"
#include "minigames/MgCipherTiles.h"
#include "minigames/MgCollectArmour.h"
#include "minigames/MgCypherWheel.h"
#include "minigames/MgFaceDrawing.h"
#include "minigames/MgImagePuzzle.h"
#include "minigames/MgKlotsky.h"
#include "minigames/MgLabyrinth.h"
#include "minigames/MgMatchElements.h"
#include "minigames/MgMemoryMatch.h"
#include "minigames/MgRearrangeElements.h"
#include "minigames/MgRectangleTileSum.h"
#include "minigames/MgScrambledDial.h"
#include "minigames/MgSecretNiche.h"
#include "minigames/MgShootingPractice.h"
#include "minigames/MgSumTheNumbers.h"
#include "minigames/MgTriangleCount.h"
#include "minigames/MgWhackAMole.h"
#include "minigames/MgZodiacSigns.h"
#include "scenes/QDScene.h"

#include <string>

const char* const GameFlowFile = "content/config/GameFlow.xml";

namespace {

// The attribute's value, or null when the element has none. Only find() is
// used: asking for an absent attribute must not add it to the map.
const std::string* attribute(const ScreenAttributes& attributes, const char* name)
{
    const auto it = attributes.find(name);
    return it != attributes.end() ? &it->second : nullptr;
}

// Like attribute(), with a warning when it is missing.
const std::string* required(const ScreenAttributes& attributes, const std::string& type, const char* name)
{
    const std::string* value = attribute(attributes, name);
    if (!value)
        logWarning("screen creator \"" + type + "\": attribute \"" + name + "\" is missing; no screen made");
    return value;
}

// C atoi of the value; -1 when there is none.
int toInt(const std::string* value)
{
    return toIntOrDefault(value ? value->c_str() : nullptr, -1);
}

ScreenBase* createScene(const ScreenAttributes& a)
{
    const std::string type = "scene";
    const std::string* sceneId = required(a, type, "sceneId");
    const std::string* configPath = required(a, type, "configPath");
    const std::string* rendererConf = required(a, type, "itemRendererConf");
    const std::string* mechanicsConf = required(a, type, "mechanicsConf");
    const std::string* groupConf = required(a, type, "itemGroupConf");
    if (!sceneId || !configPath || !rendererConf || !mechanicsConf || !groupConf)
        return nullptr;
    return new QDScene(toInt(sceneId), *configPath, *rendererConf, *mechanicsConf, *groupConf);
}

ScreenBase* createMainMenu(const ScreenAttributes&)
{
    return new MainMenu();
}

ScreenBase* createStoryDialog(const ScreenAttributes& a)
{
    const std::string* fileName = required(a, "StoryDialog", "fileName");
    if (!fileName)
        return nullptr;
    const std::string* noPush = attribute(a, "noPushOnLeave");
    return new DialogScreen(-1, *fileName, nullptr, noPush && *noPush == "1");
}

ScreenBase* createDiary(const ScreenAttributes& a)
{
    const int openAt = toInt(attribute(a, "openAtEntryId"));
    const bool noPush = toInt(attribute(a, "noPushOnLeave")) == 1;
    return new DiaryScreen(false, openAt, false, true, noPush);
}

// The creator of one minigame class. The quest id is handed over in a
// local int: the minigame copies it and keeps no reference to it.
template <class MiniGame>
void addMiniGame(GameFlow& flow, const std::string& type)
{
    flow.registerFactory(type, [type](const ScreenAttributes& a) -> ScreenBase* {
        const std::string* questText = required(a, type, "questId");
        if (!questText)
            return nullptr;
        int questId = toInt(questText);
        return new MiniGame(questId);
    });
}

}  // namespace

void addScreenCreators(GameFlow& flow)
{
    flow.registerFactory("scene", createScene);
    flow.registerFactory("mainmenu", createMainMenu);
    flow.registerFactory("StoryDialog", createStoryDialog);
    flow.registerFactory("DiaryScreen", createDiary);
    addMiniGame<MgCastingSpells>(flow, "MgCastingSpells");
    addMiniGame<MgCipherTiles>(flow, "MgCipherTiles");
    addMiniGame<MgCypherWheel>(flow, "MgCypherWheel");
    addMiniGame<MgFaceDrawing>(flow, "MgFaceDrawing");
    addMiniGame<MgImagePuzzle>(flow, "MgImagePuzzle");
    addMiniGame<MgKlotsky>(flow, "MgKlotsky");
    addMiniGame<MgLabyrinth>(flow, "MgLabyrinth");
    addMiniGame<MgMatchElements>(flow, "MgMatchElements");
    addMiniGame<MgMemoryMatch>(flow, "MgMemoryMatch");
    addMiniGame<MgRearrangeElements>(flow, "MgRearrangeElements");
    addMiniGame<MgRectangleTileSum>(flow, "MgRectangleTileSum");
    addMiniGame<MgScrambledDial>(flow, "MgScrambledDial");
    addMiniGame<MgSecretNiche>(flow, "MgSecretNiche");
    addMiniGame<MgShootingPractice>(flow, "MgShootingPractice");
    addMiniGame<MgSumTheNumbers>(flow, "MgSumTheNumbers");
    addMiniGame<MgTriangleCount>(flow, "MgTriangleCount");
    addMiniGame<MgWhackAMole>(flow, "MgWhackAMole");
    addMiniGame<MgZodiacSigns>(flow, "MgZodiacSigns");
    addMiniGame<MgCollectArmour>(flow, "MgCollectArmour");
}

void registerScreenCreators()
{
    GameFlow* flow = GameFlow::instance();
    // load reports its own failure; the flow then stays empty.
    (void)flow->load(GameFlowFile);
    addScreenCreators(*flow);
}
