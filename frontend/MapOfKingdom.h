#pragma once
// The map of the kingdom, on which the player picks where the story goes
// next: one marker (MapLocation) for every location whose quests are open
// and not done, each joined by a line to its dot, the chapter caption, a
// MAIN MENU button (bottom right) and a journal button (bottom left).
//
// A location's index is also its game flow entry: choosing location L moves
// the flow and the current profile to L, records the quest's stage as the
// profile's saved mechanics step (one further once the quest was entered,
// for quests whose correctLocationStage is off) and shows the screen of
// entry L (a new main menu when it gives none). MAIN MENU (code 100) leads
// to a new main menu; the journal opens over the map and returns to it.
//
// The first visit (current quest 4) plays a short script on every entry:
// the conversation "CS_1_2_2" over the map with its buttons hidden, the
// clip "content/story/Journal02.xml", then "CS_1_2_3", after which both
// buttons are back. Hidden buttons are also disabled, so that an unseen
// button is never clicked.
//
// Opened from a scene (a location index of 0 or more) it plays
// "VO_OPEN_MAP_FROM_SCENE". Locations beyond the records of
// "content/config/MapLocations.xml" are skipped; a missing file gives a map
// without locations.
#include "engine/ui/AnimationPlayerListener.h"
#include "engine/ui/QuarnButtonListener.h"
#include "engine/ui/ScreenBase.h"
#include "frontend/DialogScreenListener.h"
#include "frontend/LocationListener.h"
#include "frontend/MapLocationRecord.h"

#include <memory>
#include <vector>

class AnimationPlayer;
class ImageWidget;
class MapLocation;
class QuarnButton;
class TextLabel;

class MapOfKingdom : public ScreenBase,
                     public LocationListener,
                     public QuarnButtonListener,
                     public DialogScreenListener,
                     public AnimationPlayerListener {
public:
    enum ButtonId { MainMenuButton = 100, JournalButton = 101 };
    // The code of MAIN MENU; a chosen location closes with its index.
    static constexpr int MainMenuCode = 100;
    static constexpr int FirstVisitQuest = 4;
    static constexpr const char* FirstVisitDialog = "content/story/dialogs/CS_1_2_2.xml";
    static constexpr const char* SecondVisitDialog = "content/story/dialogs/CS_1_2_3.xml";
    static constexpr const char* FirstVisitClip = "content/story/Journal02.xml";

    // `location` is copied: the location the player comes from, or -1 (also
    // for null) when the map is opened from the menus.
    explicit MapOfKingdom(int* location);
    ~MapOfKingdom() override;

    // A release (event 1) on a marker chooses its location.
    void onLocationEvent(int index, int event) override;
    // Releases (event 1) of MAIN MENU and the journal button.
    void onButtonEvent(int id, int event) override;
    // The first visit's conversations have closed.
    void onDialogScreenClosed(int id) override;
    // The first visit's clip has ended.
    void onAnimationFinished(int32_t id) override;

    // The location indices of the open quests, in the order the markers
    // were added; those without a record are left out.
    static std::vector<int> markerOrder(const std::vector<int>& openLocations, int recordCount);
    // The chapter caption, "CHAPTER" and the chapter of the current quest.
    static std::string chapterCaption();

    int getFromLocation() const { return entryIndex; }
    const std::vector<int>& getLocations() const { return locations; }
    const std::vector<MapLocationRecord>& getRecords() const { return records; }
    MapLocation* markerOf(int location) const;
    QuarnButton* getMainMenuButton() const { return mainMenuButton; }
    QuarnButton* getJournalButton() const { return journalButton; }
    TextLabel* getCaption() const { return caption; }

protected:
    void loadResources() override;
    void build() override;
    void onEntered() override;
    void onClosed(int resultCode) override;

private:
    void addLocation(int location);
    void setButtonsShown(bool mainMenu, bool journal);
    void openScriptDialog(int id, const char* path, bool emptyEntry);
    static void chooseLocation(int location);

    int entryIndex;
    ImageWidget* background = nullptr;  // owned by the screen's widgets
    std::vector<int> locations;
    std::vector<MapLocation*> markers;  // owned by the screen's widgets
    std::vector<MapLocationRecord> records;
    QuarnButton* mainMenuButton = nullptr;  // owned by the screen's widgets
    QuarnButton* journalButton = nullptr;   // owned by the screen's widgets
    TextLabel* caption = nullptr;           // owned by the screen's widgets
    std::unique_ptr<AnimationPlayer> player;
};
