#include "frontend/MiniGamesMenu.h"

#include "frontend/ScreenRoutes.h"
#include "game/GameFlow.h"

#include <string>

namespace {
const MiniGamesMenu::Step Steps[MiniGamesMenu::GameCount] = {
    {"MgMemoryMatch", 2},       {"MgImagePuzzle", 4},     {"MgWhackAMole", 7},       {"MgScrambledDial", 11},
    {"MgRectangleTileSum", 14}, {"MgCipherTiles", 17},    {"MgScrambledDial", 20},   {"MgShootingPractice", 23},
    {"MgScrambledDial", 25},    {"MgMemoryMatch", 27},    {"MgCypherWheel", 29},     {"MgKlotsky", 32},
    {"MgFaceDrawing", 35},      {"MgSecretNiche", 38},    {"MgTriangleCount", 41},   {"MgLabyrinth", 43},
    {"MgZodiacSigns", 46},      {"MgCipherTiles", 49},    {"MgCastingSpells", 52},   {"MgScrambledDial", 55},
    {"MgCypherWheel", 58},      {"MgZodiacSigns", 61},    {"MgCollectArmour", 66},   {"MgSumTheNumbers", 69},
    {"MgLabyrinth", 72},
};
} // namespace

MiniGamesMenu::MiniGamesMenu()
{
    const std::vector<int> rows = {60, 105, 150, 195, 240, 330, 375, 420, 465, 510};
    addColumns("Minigame", FirstGameId, GameCount, {{20, rows}, {320, rows}, {620, rows}});
}

MiniGamesMenu::Step MiniGamesMenu::stepOf(int id)
{
    if (id < FirstGameId || id >= FirstGameId + GameCount)
        return {nullptr, -1};
    return Steps[id - FirstGameId];
}

void MiniGamesMenu::onEntryChosen(int id)
{
    const Step step = stepOf(id);
    if (!step.type)
        return;
    ScreenRoutes::show(GameFlow::instance()->createScreen(step.type, {{"questId", std::to_string(step.questId)}}));
}
