#include "frontend/MapOfKingdom.h"

#include "engine/anim/EmptyTransition.h"
#include "engine/audio/Music.h"
#include "engine/core/AppContext.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/store/ConfigFile.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/ImageWidget.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/TextLabel.h"
#include "frontend/DialogScreen.h"
#include "frontend/DiaryScreen.h"
#include "frontend/FrontendUi.h"
#include "frontend/LineWidget.h"
#include "frontend/MainMenu.h"
#include "frontend/MapLocation.h"
#include "frontend/ScreenRoutes.h"
#include "frontend/StoryRoutes.h"
#include "game/ContentTables.h"
#include "game/GameFlow.h"
#include "game/PlayerProfile.h"
#include "game/PlayerProfiles.h"
#include "game/Quest.h"
#include "game/QuestManager.h"
#include "game/SfxContainer.h"

#include <string>

namespace {

const int ClipId = 0;
enum ScriptDialog { FirstDialog = 0, SecondDialog = 1 };
const WidgetGeometry MenuCaption(1, 7, 0, 204, 34);

} // namespace

MapOfKingdom::MapOfKingdom(int* location)
    : ScreenBase(std::string())
    , entryIndex(location ? *location : -1)
    , player(std::make_unique<AnimationPlayer>(this))
{
    if (AppContext* app = appContext()) {
        if (ResourceManager* res = app->getResources()) {
            if (Music* theme = res->getMusic("MUSIC_MAIN_THEME"))
                theme->play(-1);
        }
    }
    (void)player->loadAnimation(ClipId, FirstVisitClip);
    if (entryIndex != -1)
        SfxContainer::instance()->playSound("VO_OPEN_MAP_FROM_SCENE", false);
}

MapOfKingdom::~MapOfKingdom()
{
    player.reset();
}

void MapOfKingdom::loadResources()
{
    registerMapResources(getResources());
}

std::vector<int> MapOfKingdom::markerOrder(const std::vector<int>& openLocations, int recordCount)
{
    std::vector<int> order;
    for (int location : openLocations) {
        if (location >= 0 && location < recordCount)
            order.push_back(location);
    }
    return order;
}

std::string MapOfKingdom::chapterCaption()
{
    return FrontendUi::label("CHAPTER") + " " +
           std::to_string(StoryRoutes::chapterForQuest(QuestManager::instance()->currentId()));
}

MapLocation* MapOfKingdom::markerOf(int location) const
{
    for (MapLocation* marker : markers) {
        if (marker->getIndex() == location)
            return marker;
    }
    return nullptr;
}

void MapOfKingdom::addLocation(int location)
{
    const MapLocationRecord& r = records[static_cast<size_t>(location)];
    auto* normal = new GLTexture(r.normalImage);
    auto* over = new GLTexture(r.overImage);
    getResources()->addTexture(normal);
    getResources()->addTexture(over);

    auto* marker = new MapLocation(this, normal, over, location);
    marker->setGeometry(WidgetGeometry(r.x, r.y, 0, normal->getWidth(), normal->getHeight()));
    GLTexture* dot = getResources()->findTexture("MAP_MARKER");
    const PointF start(r.x + normal->getWidth() / 2.f, r.y + over->getHeight() / 2.f);
    const PointF end(r.dotX + (dot ? dot->getWidth() : 0) / 2.f, r.dotY + (dot ? dot->getHeight() : 0) / 2.f);
    addWidget(new LineWidget(start, end, dot));
    addWidget(marker);
    markers.push_back(marker);
}

void MapOfKingdom::build()
{
    ResourceManager* res = getResources();
    records = MapLocationRecord::read(MapLocationRecord::File, getParamString("Game.Images.Extension", ".jpg"));

    background = new ImageWidget(res->findTexture("MAP_BG"), 0, 0);
    WidgetGeometry g = background->getGeometry();
    g.z = 1;
    background->setGeometry(g);
    addWidget(background);

    locations = markerOrder(QuestManager::instance()->openLocations(), static_cast<int>(records.size()));
    for (int location : locations)
        addLocation(location);

    GLTexture* menuN = res->findTexture("MAP_BTN_N");
    GLTexture* menuO = res->findTexture("MAP_BTN_O");
    const int menuW = menuO ? menuO->getWidth() : 0;
    const int menuH = menuO ? menuO->getHeight() : 0;
    mainMenuButton = FrontendUi::makeButton(this, MainMenuButton,
                                            FrontendUi::buttonDesc(menuN, menuO, menuO, menuN, MenuCaption),
                                            FrontendUi::label("MAIN_MENU"), FrontendUi::label("TOOLTIP_BTN_MENU"),
                                            1024 - menuW, 768 - menuH, menuO);
    addWidget(mainMenuButton);

    GLTexture* journalN = res->findTexture("MAP_BTN_JOURNAL_N");
    GLTexture* journalO = res->findTexture("MAP_BTN_JOURNAL_O");
    journalButton = FrontendUi::makeButton(
        this, JournalButton, FrontendUi::buttonDesc(journalN, journalO, journalO, journalN, WidgetGeometry()),
        std::string(), FrontendUi::label("TOOLTIP_BTN_JOURNAL_MAP"), 40, 728 - (journalN ? journalN->getHeight() : 0),
        journalN);
    addWidget(journalButton);

    Font* captionFont = FrontendUi::font("FONT_TIMES36_NE");
    Font* boxFont = FrontendUi::font("FONT_TIMES24");
    const std::string text = chapterCaption();
    caption = new TextLabel(text, captionFont, TextLabel::Left, Color::white(), Color(0, 0, 0, 0));
    caption->setBounds(96, 50, FrontendUi::textWidth(captionFont, text), boxFont ? boxFont->getLineHeight() : 0);
    addWidget(caption);
}

void MapOfKingdom::setButtonsShown(bool mainMenu, bool journal)
{
    if (mainMenuButton) {
        mainMenuButton->setVisible(mainMenu);
        mainMenuButton->setEnabled(mainMenu);
    }
    if (journalButton) {
        journalButton->setVisible(journal);
        journalButton->setEnabled(journal);
    }
}

void MapOfKingdom::openScriptDialog(int id, const char* path, bool emptyEntry)
{
    auto* dialog = new DialogScreen(id, path, this, true);
    if (emptyEntry)
        dialog->setInTransition(new EmptyTransition());
    dialog->setOutTransition(new EmptyTransition());
    ScreenRoutes::show(dialog);
}

void MapOfKingdom::onEntered()
{
    if (QuestManager::instance()->currentId() != FirstVisitQuest)
        return;
    setButtonsShown(false, false);
    openScriptDialog(FirstDialog, FirstVisitDialog, false);
}

void MapOfKingdom::onDialogScreenClosed(int id)
{
    if (id == FirstDialog) {
        SfxContainer::instance()->stopSound("CS_1_2_2_VELMOR_T_2");
        if (player->findAnimation(ClipId))
            player->playAnimation(ClipId, 0, 0, 0, this);
        else
            onAnimationFinished(ClipId);  // no clip to wait for: the script goes on
    } else if (id == SecondDialog) {
        setButtonsShown(true, journalButton && journalButton->isVisible());
    }
}

void MapOfKingdom::onAnimationFinished(int32_t id)
{
    if (id != ClipId)
        return;
    setButtonsShown(true, true);
    player->removeAnimation(ClipId, this);
    openScriptDialog(SecondDialog, SecondVisitDialog, true);
}

void MapOfKingdom::onLocationEvent(int index, int event)
{
    if (event == LocationListener::Release && getState() != Leaving)
        close(index, true);
}

void MapOfKingdom::onButtonEvent(int id, int event)
{
    if (event != 1)
        return;
    if (id == MainMenuButton) {
        close(MainMenuCode, true);
    } else if (id == JournalButton) {
        // Entry -1: the journal opens at the current quest's entry.
        ScreenRoutes::show(new DiaryScreen(true, -1, true, false, false));
    }
}

void MapOfKingdom::onClosed(int resultCode)
{
    ScreenRoutes::leave(this);
    if (resultCode == MainMenuCode)
        ScreenRoutes::show(new MainMenu());
    else
        chooseLocation(resultCode);
}

void MapOfKingdom::chooseLocation(int location)
{
    GameFlow::instance()->index = location;
    QuestManager* quests = QuestManager::instance();
    int step = quests->stageForScreen(location);
    if (Quest* quest = quests->findById(quests->indexForScreen(location))) {
        if (!quest->correctLocationStage) {
            if (quest->entered)
                ++step;
            else
                quest->entered = true;
        }
    }
    if (PlayerProfile* profile = PlayerProfiles::instance()->currentProfile()) {
        profile->setFlowIndex(location);
        profile->setSavedStep(step);
    }
    ScreenRoutes::show(ScreenRoutes::flowScreenOrMenu(false));
}
