#include "frontend/MapOfKingdom.h"

#include "engine/core/AppContext.h"
#include "engine/core/Log.h"
#include "frontend/MainMenu.h"
#include "frontend/ScreenRoutes.h"
#include "game/ContentTables.h"
#include "game/GameFlow.h"
#include "game/QuestManager.h"

#include <algorithm>
#include <string>

namespace {

const Color BackgroundFill(40, 56, 36, 255);
const int FirstRowY = 140;
const int RowPitch = 70;

bool isLocationButton(int id, const std::vector<int>& locations)
{
    return std::find(locations.begin(), locations.end(), id) != locations.end();
}

} // namespace

MapOfKingdom::MapOfKingdom(int* location)
    : ScreenBase(std::string())
    , fromLocation(location ? *location : -1)
{
}

MapOfKingdom::~MapOfKingdom() = default;

void MapOfKingdom::loadResources()
{
    registerMapResources(getResources());
}

void MapOfKingdom::build()
{
    layout.attach(this, "MAP_BG", "MAP_BTN_N", "MAP_BTN_O");
    layout.addTitle("Map of the Kingdom", 60);

    const GameFlow* flow = GameFlow::instance();
    locations.clear();
    for (int location : QuestManager::instance()->openLocations()) {
        if (location < 0 || location >= flow->entryCount()) {
            logWarning("map: open location " + std::to_string(location) + " has no game flow entry; no button");
            continue;
        }
        locations.push_back(location);
    }

    std::vector<SimpleScreenLayout::RowButton> row;
    int y = FirstRowY;
    for (size_t i = 0; i < locations.size(); ++i) {
        row.emplace_back(locations[i], "Location " + std::to_string(locations[i]));
        if (row.size() == Columns || i + 1 == locations.size()) {
            layout.addButtonRow(this, row, y);
            row.clear();
            y += RowPitch;
        }
    }

    AppContext* app = appContext();
    const int width = app ? app->getWidth() : 1024;
    const int height = app ? app->getHeight() : 768;
    layout.addButton(this, MainMenuButton, "Main Menu", width - layout.buttonWidth(), height - layout.buttonHeight());
}

void MapOfKingdom::drawBackground(Graphics& g)
{
    layout.drawBackground(g, BackgroundFill);
}

void MapOfKingdom::onButtonEvent(int id, int event)
{
    if (event != 1)
        return;
    if (id == MainMenuButton)
        close(MainMenuCode, true);
    else if (isLocationButton(id, locations))
        chooseLocation(id);
}

void MapOfKingdom::chooseLocation(int location)
{
    GameFlow* flow = GameFlow::instance();
    const int previous = flow->index;
    flow->index = location;
    ScreenBase* next = flow->nextScreen(false);
    if (!next) {
        flow->index = previous;
        logWarning("map: the game flow entry of location " + std::to_string(location) + " gives no screen");
        return;
    }
    pending.reset(next);
    close(location, true);
}

void MapOfKingdom::onClosed(int)
{
    if (pending)
        ScreenRoutes::leave(this, pending.release());
    else
        ScreenRoutes::leave(this, new MainMenu());
}
