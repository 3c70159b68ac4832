// The game's simple screens shown for real (their content tables load under
// a GL context): where each one leads when it is left, what it asks of the
// game flow, the quests and the application, and what it draws.
#include "engine/gfx/AngelFontGL.h"
#include "engine/gfx/GLGraphics.h"
#include "engine/gfx/GLTexture.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/InputEvents.h"
#include "engine/ui/QuarnButton.h"
#include "frontend/ChapterTransition.h"
#include "frontend/CreditsScreen.h"
#include "frontend/DialogScreen.h"
#include "frontend/DialogScreenListener.h"
#include "frontend/DiaryScreen.h"
#include "frontend/HighScoresMenu.h"
#include "frontend/MainMenu.h"
#include "frontend/MapOfKingdom.h"
#include "frontend/QuitDialogScreen.h"
#include "frontend/RuneSheet.h"
#include "frontend/ScreenRoutes.h"
#include "frontend/SimpleScreenLayout.h"
#include "engine/ui/QuarnButton.h"
#include "frontend/TavrinIntro.h"
#include "game/PlayerProfile.h"
#include "game/Quest.h"
#include "quillendar/ScreenCreators.h"
#include "tests/minigames/PlaceholderMiniGame.h"
#include "scenes/QDScene.h"
#include "tests/support/ScreenTestSupport.h"
#include "tests/support/GLTestSuite.h"

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

class SimpleScreens : public GLTestSuite {
protected:
    // Shows the screen the way the game does and lets its fade-in end.
    template <class T>
    T* show(T* screen)
    {
        ScreenRoutes::show(screen);
        app.frames(20);
        EXPECT_EQ(app.top(), screen);
        EXPECT_EQ(screen->getState(), ScreenBase::Idle);
        return screen;
    }
    // A stand-in for the screen below (a scene, the map).
    SpyScreen* pushBelow()
    {
        auto* below = new SpyScreen(ScreenAttributes());
        app.pushScreen(below);
        return below;
    }
    // The tag of the top screen when it is a flow spy screen, else "-".
    std::string topTag() const
    {
        auto* spy = dynamic_cast<SpyScreen*>(app.top());
        return spy ? spy->tag : "-";
    }

    // A profile made current, with a game started at `flowIndex` when
    // `started` is set.
    PlayerProfile* addProfile(const std::string& name, bool started, int flowIndex)
    {
        PlayerProfiles* profiles = PlayerProfiles::instance();
        PlayerProfile* profile = profiles->addProfile(name, 0);
        profiles->select(profiles->profileCount() - 1);
        profile->setGameStarted(started);
        profile->setFlowIndex(flowIndex);
        return profile;
    }
    // Lets the journal on top finish its entry (and its first turn), presses
    // its CONTINUE and lets it leave.
    void continueJournal()
    {
        app.frames(30);
        auto* journal = dynamic_cast<DiaryScreen*>(app.top());
        ASSERT_NE(journal, nullptr);
        journal->onButtonEvent(DiaryScreen::ContinueButton, 1);
        app.frames(20);
    }
    // Escape on the top screen of type T once it runs; it then leaves.
    template <class T>
    void escape()
    {
        auto* screen = dynamic_cast<T*>(app.top());
        ASSERT_NE(screen, nullptr);
        // Keys count once the screen has entered.
        for (int i = 0; i < 100 && screen->getState() != ScreenBase::Running; ++i)
            app.frames(1);
        KeyEvent key;
        key.key = 27;
        screen->onKey(&key);
        app.frames(20);
    }

    SingletonReset singletons;
    TempFolder folder;
    ScreenTestApp app;
};

// Remembers every dialog close and what was on top of the stack then.
class RecordingListener : public DialogScreenListener {
public:
    explicit RecordingListener(ScreenTestApp& a) : app(a) {}
    void onDialogScreenClosed(int id) override
    {
        ids.push_back(id);
        topWhenTold = app.top();
    }
    ScreenTestApp& app;
    std::vector<int> ids;
    ScreenBase* topWhenTold = nullptr;
};

}  // namespace

TEST_F(SimpleScreens, MainMenuPlayResumesTheProfilesStoryAtItsFlowPosition)
{
    loadSpyFlow(folder, 3);
    addProfile("Ann", true, 1);
    GameFlow::instance()->index = 0;
    MainMenu* menu = show(new MainMenu());
    menu->onButtonEvent(MainMenu::PlayButton, 1);
    EXPECT_EQ(menu->getState(), ScreenBase::Leaving);
    app.frames(20);
    ASSERT_EQ(app.stack.size(), 1u);
    EXPECT_EQ(topTag(), "1");
    EXPECT_EQ(GameFlow::instance()->index, 1);
}

TEST_F(SimpleScreens, TheGamesOwnFlowStartsAtItsFirstSceneAndTheSceneLeadsBack)
{
    registerScreenCreators();
    ASSERT_GT(GameFlow::instance()->entryCount(), 0) << "content not generated";
    PlayerProfile* profile = addProfile("Bob", false, 7);
    MainMenu* menu = show(new MainMenu());
    menu->onButtonEvent(MainMenu::PlayButton, 1);
    app.frames(30);
    // A new game: the prologue, chapter transition 0, the journal, scene 0.
    EXPECT_TRUE(profile->isGameStarted());
    EXPECT_EQ(profile->getFlowIndex(), 0);
    ASSERT_NE(dynamic_cast<TavrinIntro*>(app.top()), nullptr);
    escape<TavrinIntro>();
    auto* transition = dynamic_cast<ChapterTransition*>(app.top());
    ASSERT_NE(transition, nullptr);
    EXPECT_EQ(transition->getChapter(), 0);
    escape<ChapterTransition>();
    continueJournal();
    auto* scene = dynamic_cast<QDScene*>(app.top());
    ASSERT_NE(scene, nullptr);
    EXPECT_EQ(scene->getSceneId(), 0);
    EXPECT_EQ(scene->getMechanicsConf(), "SceneMechanics.xml");
    EXPECT_EQ(app.stack.size(), 1u);
    scene->onButtonEvent(SceneHud::MenuButton, 1);
    app.frames(20);
    EXPECT_NE(dynamic_cast<MainMenu*>(app.top()), nullptr);
}

TEST_F(SimpleScreens, MainMenuPlayWithNothingAtTheStoredPositionShowsTheMenuAgain)
{
    // Entry 2 is of a type nothing makes.
    loadSpyFlow(folder, 2);
    ASSERT_TRUE(GameFlow::instance()->load(folder.write("More.xml", "<GameFlow><Screen type=\"unmade\"/></GameFlow>")));
    addProfile("Cy", true, 2);
    MainMenu* menu = show(new MainMenu());
    menu->onButtonEvent(MainMenu::PlayButton, 1);
    app.frames(20);
    ASSERT_EQ(app.stack.size(), 1u);
    EXPECT_NE(dynamic_cast<MainMenu*>(app.top()), nullptr);
}

TEST_F(SimpleScreens, MainMenuPlayFromAPositionPastTheStoryPlaysItsStart)
{
    // The position a damaged save gave the profile read at the start,
    // before the story was: PLAY brings it into the story.
    loadSpyFlow(folder, 2);
    PlayerProfile* profile = addProfile("Di", true, 249);
    MainMenu* menu = show(new MainMenu());
    menu->onButtonEvent(MainMenu::PlayButton, 1);
    app.frames(20);
    ASSERT_EQ(app.stack.size(), 1u);
    EXPECT_EQ(topTag(), "0");
    EXPECT_EQ(GameFlow::instance()->index, 0);
    EXPECT_EQ(profile->getFlowIndex(), 0);
}

TEST_F(SimpleScreens, MainMenuExitWithoutTheGameApplicationMakesTheQuitRequest)
{
    addProfile("Dee", false, 0);
    MainMenu* menu = show(new MainMenu());
    menu->onButtonEvent(MainMenu::ExitButton, 0);
    EXPECT_EQ(menu->getState(), ScreenBase::Idle);
    menu->onButtonEvent(MainMenu::ExitButton, 1);
    app.frames(20);
    EXPECT_EQ(app.quitRequests, 1);
    EXPECT_EQ(app.quitNowRequests, 0);
    EXPECT_TRUE(app.stack.empty());
}

TEST_F(SimpleScreens, QuitDialogYesEndsTheGameNoReturnsBelow)
{
    SpyScreen* below = pushBelow();
    QuitDialogScreen* dialog = show(new QuitDialogScreen(&app));
    dialog->onAnswer(-1, 1);
    EXPECT_EQ(app.quitNowRequests, 1);
    // The dialog stays until the loop ends.
    app.frames(5);
    EXPECT_EQ(app.top(), dialog);

    dialog->onAnswer(-1, 0);
    app.frames(5);
    ASSERT_EQ(app.top(), below);
    EXPECT_TRUE(below->isActive());
    EXPECT_EQ(app.quitNowRequests, 1);

    // Without an application "Yes" has nobody to tell.
    QuitDialogScreen* orphan = show(new QuitDialogScreen(nullptr));
    orphan->onAnswer(-1, 1);
    EXPECT_EQ(app.quitNowRequests, 1);
}

TEST_F(SimpleScreens, AButtonPictureThatFailedToLoadLeavesPlainButtonsThatCanBeClicked)
{
    // The quit dialog's case: its button picture did not load, and buttons
    // of its 1 x 1 stand-in could be neither seen nor clicked.
    SpyScreen* screen = pushBelow();
    screen->getResources()->registerTexture("BTN", new GLTexture(folder.path() + "/no-such-picture.jpg"));
    SimpleScreenLayout layout;
    layout.attach(screen, "", "BTN", "BTN");
    const std::vector<QuarnButton*> row = layout.addButtonRow(nullptr, {{1, "Yes"}, {2, "No"}}, 400);
    ASSERT_EQ(row.size(), 2u);
    for (QuarnButton* button : row) {
        const WidgetGeometry& at = button->getGeometry();
        EXPECT_EQ(at.w, SimpleScreenLayout::DefaultButtonWidth);
        EXPECT_EQ(at.h, SimpleScreenLayout::DefaultButtonHeight);
        EXPECT_TRUE(button->hitTest(at.x + at.w / 2, at.y + at.h / 2));
        EXPECT_EQ(button->getDesc().looks[ButtonDesc::NormalLook].texture, nullptr) << "the plain look";
    }
    EXPECT_LT(row[0]->getGeometry().x + row[0]->getGeometry().w, row[1]->getGeometry().x);
}

TEST_F(SimpleScreens, StoryDialogPopsTellsItsListenerThenContinuesTheFlow)
{
    loadSpyFlow(folder, 3);
    RecordingListener listener(app);
    // A file that cannot be read is an empty conversation: it ends at once.
    ScreenRoutes::show(new DialogScreen(7, "content/story/dialogs/A.xml", &listener, false));
    app.frames(20);
    ASSERT_EQ(listener.ids, std::vector<int>{7});
    // The dialog had left the stack before its listener heard of it.
    EXPECT_EQ(listener.topWhenTold, nullptr);
    EXPECT_EQ(GameFlow::instance()->index, 1);
    ASSERT_EQ(app.stack.size(), 1u);
    EXPECT_EQ(topTag(), "1");
}

TEST_F(SimpleScreens, OverlayDialogOnlyLeavesAndTellsItsListener)
{
    loadSpyFlow(folder, 3);
    SpyScreen* below = pushBelow();
    RecordingListener listener(app);
    ScreenRoutes::show(new DialogScreen(2, "content/story/dialogs/B.xml", &listener, true));
    EXPECT_FALSE(below->isActive());
    app.frames(30);
    EXPECT_EQ(listener.ids, std::vector<int>{2});
    EXPECT_EQ(listener.topWhenTold, below);
    EXPECT_EQ(GameFlow::instance()->index, 0);
    ASSERT_EQ(app.stack.size(), 1u);
    EXPECT_TRUE(below->isActive());

    // No listener: nobody to tell, the same way out.
    ScreenRoutes::show(new DialogScreen(3, "content/story/dialogs/C.xml", nullptr, true));
    app.frames(30);
    EXPECT_EQ(app.top(), below);
}

TEST_F(SimpleScreens, TheEndOfTheFlowLeadsToTheMainMenuRatherThanNothing)
{
    loadSpyFlow(folder, 2);
    addProfile("Eve", true, 1);
    GameFlow::instance()->index = 1;
    ScreenRoutes::show(new DialogScreen(-1, "content/story/dialogs/End.xml", nullptr, false));
    app.frames(20);
    EXPECT_EQ(GameFlow::instance()->index, 2);
    ASSERT_EQ(app.stack.size(), 1u);
    EXPECT_NE(dynamic_cast<MainMenu*>(app.top()), nullptr);
}

TEST_F(SimpleScreens, JournalContinuesTheFlowUnlessItMayOnlyLeave)
{
    loadSpyFlow(folder, 3);
    // The journal of a flow entry moves the flow on.
    DiaryScreen* diary = show(new DiaryScreen(false, 4, false, true, false));
    EXPECT_EQ(diary->getOpenAtEntryId(), 4);
    continueJournal();
    EXPECT_EQ(GameFlow::instance()->index, 1);
    EXPECT_EQ(topTag(), "1");

    // One with noPushOnLeave, or opened over another screen, only leaves.
    SpyScreen* below = pushBelow();
    show(new DiaryScreen(false, -1, false, true, true));
    continueJournal();
    EXPECT_EQ(app.top(), below);
    show(new DiaryScreen(true, -1, true, false, false));
    continueJournal();
    EXPECT_EQ(GameFlow::instance()->index, 1);
    EXPECT_EQ(app.top(), below);
}

TEST_F(SimpleScreens, JournalFromTheMapHoldsTheEntriesUpToTheQuestsAndOpensAtItsSpread)
{
    loadSpyFlow(folder, 3);
    loadQuestChain(folder, 40);
    QuestManager::instance()->setCurrent(30);
    auto* journal = new DiaryScreen(true, -1, true, false, false);
    EXPECT_EQ(journal->getOpenAtEntryId(), 3);
    ScreenRoutes::show(journal);
    const std::vector<int> ids = journal->pageIds();
    ASSERT_FALSE(ids.empty()) << "content not generated";
    int first = -1;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_LE(ids[i], 3);
        if (ids[i] == 3 && first < 0)
            first = static_cast<int>(i);
    }
    ASSERT_GT(first, 0);
    const int opened = 2 * ((first - 1) / 2);
    EXPECT_EQ(journal->getCurrent(), opened);
    EXPECT_EQ(journal->getButton(DiaryScreen::PreviousButton)->isEnabled(), opened >= 2);
    // Once in, it turns to the next spread when there is one.
    const bool more = journal->canTurnNext();
    app.frames(40);
    EXPECT_EQ(journal->getCurrent(), more ? opened + 2 : opened);
    EXPECT_FALSE(journal->getButton(DiaryScreen::NextButton)->isEnabled() && journal->isAtLastSpread());
}

TEST_F(SimpleScreens, PrologueLeadsToChapterZeroOrTheCurrentEntryEpilogueStartsTheStoryAgain)
{
    loadSpyFlow(folder, 3);
    loadQuestChain(folder, 6);
    GameFlow::instance()->index = 1;
    TavrinIntro* fresh = show(new TavrinIntro(nullptr));
    EXPECT_FALSE(fresh->isEpilogue());
    escape<TavrinIntro>();
    auto* transition = dynamic_cast<ChapterTransition*>(app.top());
    ASSERT_NE(transition, nullptr);
    EXPECT_EQ(transition->getChapter(), 0);
    app.closeScreen(nullptr);

    QuestManager::instance()->complete(0);
    QuestManager::instance()->setCurrent(2);
    TavrinIntro* prologue = show(new TavrinIntro(nullptr));
    EXPECT_FALSE(prologue->isEpilogue());
    escape<TavrinIntro>();
    EXPECT_EQ(GameFlow::instance()->index, 1);
    EXPECT_EQ(topTag(), "1");
    app.closeScreen(nullptr);

    addProfile("Ida", true, 1);
    bool last = true;
    TavrinIntro* epilogue = show(new TavrinIntro(&last));
    last = false;
    EXPECT_TRUE(epilogue->isEpilogue());
    escape<TavrinIntro>();
    EXPECT_EQ(GameFlow::instance()->index, 0);
    EXPECT_EQ(QuestManager::instance()->currentId(), 0);
    EXPECT_FALSE(QuestManager::instance()->questAt(0)->done);
    ASSERT_EQ(app.stack.size(), 1u);
    // The credits, which lead to a new main menu.
    auto* credits = dynamic_cast<CreditsScreen*>(app.top());
    ASSERT_NE(credits, nullptr);
    EXPECT_FALSE(credits->isReturnToCaller());
    credits->onButtonEvent(CreditsScreen::OkButton, 1);
    app.frames(30);
    ASSERT_EQ(app.stack.size(), 1u);
    EXPECT_NE(dynamic_cast<MainMenu*>(app.top()), nullptr);
}

TEST_F(SimpleScreens, ChapterTransitionLeadsToTheJournalThatShowsTheCurrentEntry)
{
    loadSpyFlow(folder, 3);
    GameFlow::instance()->index = 2;
    int chapter = 3;
    ChapterTransition* transition = show(new ChapterTransition(&chapter));
    chapter = 1;
    EXPECT_EQ(transition->getChapter(), 3);
    EXPECT_EQ(ChapterTransition(nullptr).getChapter(), 0);
    escape<ChapterTransition>();
    ASSERT_EQ(app.stack.size(), 1u);
    auto* diary = dynamic_cast<DiaryScreen*>(app.top());
    ASSERT_NE(diary, nullptr);
    // -1 became the entry of the current quest (none: entry 0).
    EXPECT_EQ(diary->getOpenAtEntryId(), 0);
    EXPECT_FALSE(diary->isNoPushOnLeave());
    continueJournal();
    EXPECT_EQ(GameFlow::instance()->index, 2);
    EXPECT_EQ(topTag(), "2");
}

TEST_F(SimpleScreens, MapOffersTheOpenLocationsAndAChoiceMovesFlowAndProfile)
{
    loadSpyFlow(folder, 4);
    loadQuestChain(folder, 8);
    PlayerProfile* profile = addProfile("Fay", true, 0);
    QuestManager& quests = *QuestManager::instance();
    // Open: quests 0 (from the reset), 2, 3 and 6; quest 5 is open but done,
    // so its location is not offered.
    quests.questAt(2)->open = true;
    quests.questAt(3)->open = true;
    quests.questAt(6)->open = true;
    quests.questAt(5)->open = true;
    quests.questAt(5)->done = true;
    quests.questAt(2)->stage = 3;

    int from = 2;
    MapOfKingdom* map = show(new MapOfKingdom(&from));
    from = 0;
    EXPECT_EQ(map->getFromLocation(), 2);
    ASSERT_EQ(map->getRecords().size(), 26u) << "content not generated";
    EXPECT_EQ(map->getLocations(), (std::vector<int>{0, 2, 3, 6}));
    EXPECT_EQ(map->markerOf(5), nullptr);

    map->onLocationEvent(2, LocationListener::Enter);
    EXPECT_EQ(map->getState(), ScreenBase::Idle);
    map->onLocationEvent(2, LocationListener::Release);
    app.frames(20);
    ASSERT_EQ(app.stack.size(), 1u);
    EXPECT_EQ(topTag(), "2");
    EXPECT_EQ(GameFlow::instance()->index, 2);
    EXPECT_EQ(profile->getFlowIndex(), 2);
    EXPECT_EQ(profile->getSavedStep(), 3);
}

TEST_F(SimpleScreens, AChosenLocationWithoutAScreenAndMainMenuLeadToTheMainMenu)
{
    ASSERT_TRUE(GameFlow::instance()->load(
        folder.write("GameFlow.xml", "<GameFlow><Screen type=\"unknown\"/><Screen type=\"unknown\"/></GameFlow>")));
    loadQuestChain(folder, 3);
    addProfile("Gil", true, 1);
    MapOfKingdom* map = show(new MapOfKingdom(nullptr));
    EXPECT_EQ(map->getFromLocation(), -1);
    ASSERT_EQ(map->getLocations(), std::vector<int>{0});
    map->onLocationEvent(0, LocationListener::Release);
    app.frames(20);
    ASSERT_EQ(app.stack.size(), 1u);
    EXPECT_NE(dynamic_cast<MainMenu*>(app.top()), nullptr);
    EXPECT_EQ(GameFlow::instance()->index, 0);
    app.closeScreen(nullptr);

    map = show(new MapOfKingdom(nullptr));
    map->onButtonEvent(MapOfKingdom::MainMenuButton, 1);
    app.frames(20);
    ASSERT_EQ(app.stack.size(), 1u);
    EXPECT_NE(dynamic_cast<MainMenu*>(app.top()), nullptr);
}

TEST_F(SimpleScreens, RuneSheetClosesBackToTheScene)
{
    SpyScreen* scene = pushBelow();
    RuneSheet* sheet = show(new RuneSheet());
    ASSERT_NE(sheet->getOkButton(), nullptr);
    sheet->onButtonEvent(RuneSheet::OkButton, 1);
    app.frames(20);
    ASSERT_EQ(app.top(), scene);
    EXPECT_TRUE(scene->isActive());
}

TEST_F(SimpleScreens, CreditsAndHighScoresOpenedOverAScreenReturnToIt)
{
    SpyScreen* below = pushBelow();
    CreditsScreen* credits = show(new CreditsScreen(true));
    // Two blank pages, the book between its blank first and last pages, two
    // blank pages; the book opens with a turn.
    EXPECT_EQ(credits->getPages().size() % 2, 0u);
    EXPECT_GE(credits->getPages().size(), 6u);
    EXPECT_EQ(credits->getCurrent(), 2);
    credits->onButtonEvent(CreditsScreen::OkButton, 1);
    app.frames(30);
    ASSERT_EQ(app.top(), below);

    HighScoresMenu* scores = show(new HighScoresMenu());
    ASSERT_NE(scores->getOkButton(), nullptr) << "the opening clip has not ended";
    EXPECT_TRUE(scores->areRowsVisible());
    EXPECT_EQ(scores->getRows().size(), 10u);
    scores->onButtonEvent(HighScoresMenu::OkButton, 1);
    EXPECT_FALSE(scores->areRowsVisible());
    app.frames(20);
    EXPECT_EQ(app.top(), below);
    EXPECT_TRUE(below->isActive());
}

TEST_F(SimpleScreens, SceneMenuButtonLeavesForTheMainMenu)
{
    addProfile("Jo", false, 0);
    const std::string config = "content/config/scene/Scene01/";
    QDScene* scene = show(new QDScene(0, config, "ItemRenderers.xml", "SceneMechanics.xml", "ItemGroups.xml"));
    EXPECT_EQ(scene->getSceneId(), 0);
    EXPECT_EQ(scene->getConfigPath(), config);
    EXPECT_EQ(scene->getMechanicsConf(), "SceneMechanics.xml");
    scene->onButtonEvent(SceneHud::MenuButton, 1);
    EXPECT_EQ(scene->getResultCode(), QDScene::MainMenuCode);
    app.frames(20);
    ASSERT_EQ(app.stack.size(), 1u);
    EXPECT_NE(dynamic_cast<MainMenu*>(app.top()), nullptr);
}

namespace {

::testing::AssertionResult near(Color got, Color want)
{
    const auto off = [](int a, int b) { return std::abs(a - b) > 2; };
    if (off(got.r, want.r) || off(got.g, want.g) || off(got.b, want.b))
        return ::testing::AssertionFailure() << "got " << int(got.r) << "," << int(got.g) << "," << int(got.b)
                                             << " want " << int(want.r) << "," << int(want.g) << ","
                                             << int(want.b);
    return ::testing::AssertionSuccess();
}

// The whole stack, bottom first, as the application draws it.
void drawStack(ScreenTestApp& app, GLGraphics& g)
{
    g.init(1024, 768, 1000);
    g.fillRect(0, 0, 1024, 768, Color(0, 0, 0, 255));
    for (ScreenBase* screen : app.stack)
        screen->draw(g);
}

}  // namespace

TEST_F(SimpleScreens, ScreensDrawTheirBackgroundsTitlesAndButtons)
{
    ResourceManager fonts;
    fonts.registerFont("FONT_TIMES36_NE", new AngelFontGL("content/fonts/Times36NoEff.fnt"));
    fonts.registerFont("FONT_TIMES24", new AngelFontGL("content/fonts/Times24.fnt"));
    fonts.registerFont("FONT_TIMES16", new AngelFontGL("content/fonts/Times16.fnt"));
    app.resources = &fonts;
    GLGraphics g;

    // The first scene of the game; the quit dialog dims it.
    show(new QDScene(0, "content/config/scene/Scene01/", "ItemRenderers.xml", "SceneMechanics.xml",
                     "ItemGroups.xml"));
    drawStack(app, g);
    const Color corner = window->readPixel(1018, 5);
    EXPECT_GT(corner.g, 150) << "the background's green corner";
    EXPECT_TRUE(window->saveScreenshot("simple_scene.bmp"));
    show(new QuitDialogScreen(&app));
    drawStack(app, g);
    // The screen's veil (alpha 170) and the question's own dim (alpha 128).
    const auto veiled = [](int c) { return c * 85 / 255 * 127 / 255; };
    EXPECT_TRUE(near(window->readPixel(1018, 5), Color(veiled(corner.r), veiled(corner.g), veiled(corner.b))));
    EXPECT_TRUE(window->saveScreenshot("simple_quit_dialog.bmp"));
    app.closeScreen(nullptr);
    app.closeScreen(nullptr);

    // A minigame over the common minigame background, its title in the
    // middle; the button pictures replace the plain fill.
    loadQuestChain(folder, 10);
    show(new PlaceholderMiniGame(5, "MgKlotsky"));
    drawStack(app, g);
    const Color plain(70, 62, 96);
    EXPECT_FALSE(near(window->readPixel(295 + 10, 560 + 10), plain));
    EXPECT_TRUE(window->saveScreenshot("simple_minigame.bmp"));
    app.closeScreen(nullptr);

    addProfile("Hal", false, 0);
    show(new MainMenu());
    drawStack(app, g);
    EXPECT_TRUE(window->saveScreenshot("simple_main_menu.bmp"));
    app.closeScreen(nullptr);

    // The journal: the book lies open on its background, its left page
    // (dark, with white text) left of the middle.
    fonts.registerFont("FONT_TIMES24_NE", new AngelFontGL("content/fonts/Times24NoEff.fnt"));
    fonts.registerFont("FONT_TIMES16_NE", new AngelFontGL("content/fonts/Times16NoEff.fnt"));
    show(new DiaryScreen(false, 2, false, true, false));
    drawStack(app, g);
    EXPECT_TRUE(window->saveScreenshot("simple_journal.bmp"));
    const Color page = window->readPixel(300, 300);
    EXPECT_LT(page.r + page.g + page.b, 3 * 120) << "the left page is dark";
    app.closeScreen(nullptr);
    app.resources = nullptr;
}
