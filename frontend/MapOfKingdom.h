#pragma once
// The map of the kingdom, in its simple form: one button per open location
// and a "Main Menu" button.
//
// The open locations are QuestManager::openLocations (the locations of the
// quests that are open and not done, ascending). A location's index is also
// the position of its entry in the game flow, so choosing location L sets
// the flow position to L and shows the screen of that entry
// (GameFlow::nextScreen(false)). That screen is made when the button is
// clicked: when the entry gives none, the position is put back, the map
// stays and one line says so. Otherwise the map fades out, pops itself and
// shows it. A location without a flow entry gets no button (one line).
// "Main Menu" pops the map and shows a new main menu; the map always has it,
// so that a map with no open location is never a dead end.
//
// The map's quest-stage bookkeeping for the scene it starts (the quest's
// entered flag and the player's saved step) belongs with the player
// profiles and is not done here.
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/SimpleScreenLayout.h"

#include <memory>
#include <vector>

class MapOfKingdom : public ScreenBase, public QuarnButtonListener {
public:
    // Location buttons carry their location index as id; this id is below
    // every index.
    enum ButtonId { MainMenuButton = -1 };
    // The code of "Main Menu"; a chosen location closes with its index. The
    // route on leaving follows the choice made, not the code, so an index
    // equal to this code is no problem.
    static constexpr int MainMenuCode = 100;
    // Location buttons per row.
    static constexpr int Columns = 4;

    // `location` is copied: the location the player comes from, or -1 (also
    // for null) when the map is opened from the menus.
    explicit MapOfKingdom(int* location);
    ~MapOfKingdom() override;

    // QuarnButtonListener: clicks (event 1) on a location or "Main Menu".
    void onButtonEvent(int id, int event) override;

    int getFromLocation() const { return fromLocation; }
    // The locations that got a button in the last build, in order.
    const std::vector<int>& getLocations() const { return locations; }
    // The screen of the chosen location, waiting for the fade-out; null
    // before a choice. Owned until it is shown.
    ScreenBase* getPendingScreen() const { return pending.get(); }

protected:
    void loadResources() override;
    void build() override;
    void drawBackground(Graphics& g) override;
    void onClosed(int resultCode) override;

private:
    void chooseLocation(int location);

    int fromLocation;
    std::vector<int> locations;
    std::unique_ptr<ScreenBase> pending;
    SimpleScreenLayout layout;
};
