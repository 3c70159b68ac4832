#pragma once
// The game's screen types for the game flow. Each creator builds its screen
// from the attributes of one flow element (integers read like C atoi):
//   "scene"        QDScene(sceneId, configPath, itemRendererConf,
//                  mechanicsConf, itemGroupConf); all five required
//   "mainmenu"     MainMenu()
//   "StoryDialog"  DialogScreen(-1, fileName, no listener,
//                  noPushOnLeave is exactly "1"); fileName required
//   "DiaryScreen"  DiaryScreen(false, openAtEntryId (-1 when absent), false,
//                  true, noPushOnLeave read as an integer is 1)
//   "Mg<Name>"     Mg<Name>(questId), one per minigame; questId required
// A creator whose required attribute is missing returns null and prints one
// warning naming the type and the attribute.
class GameFlow;

// Where the game's flow is read from.
extern const char* const GameFlowFile;

// Registers the creators above in `flow` (a name already registered gets the
// new creator).
void addScreenCreators(GameFlow& flow);
// The start-up step: reads GameFlowFile into the flow singleton, then
// registers the creators there. A flow file that cannot be read leaves the
// flow empty (one error line); the creators are registered anyway.
void registerScreenCreators();
