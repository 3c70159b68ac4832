// The front end's screens shown for real over the generated content: the
// profiles menu with the name entry, the conversation screen, the map and
// the main menu, driven through their widgets.
#include "engine/gfx/AngelFontGL.h"
#include "engine/gfx/Font.h"
#include "engine/gfx/GLGraphics.h"
#include "engine/gfx/GLTexture.h"
#include "engine/gfx/SDLSurfaceImage.h"
#include "engine/res/ResourceManager.h"
#include "engine/ui/AnimationPlayer.h"
#include "engine/ui/MessageQuestionDialogSimple.h"
#include "engine/ui/QuarnButton.h"
#include "engine/ui/SimpleTextListWidget.h"
#include "engine/ui/TextInputWidget.h"
#include "engine/ui/TextLabel.h"
#include "frontend/ClothSimulation.h"
#include "frontend/CustomCheckBox.h"
#include "frontend/DialogScreen.h"
#include "frontend/DialogScreenListener.h"
#include "frontend/DiaryScreen.h"
#include "frontend/FrontendUi.h"
#include "frontend/MainMenu.h"
#include "frontend/MapLocation.h"
#include "frontend/MapOfKingdom.h"
#include "frontend/MyDialog.h"
#include "frontend/OptionsMenu.h"
#include "frontend/PlayerNameEntry.h"
#include "frontend/PlayerProfilesMenu.h"
#include "frontend/ScreenRoutes.h"
#include "game/PlayerProfile.h"
#include "game/Quest.h"
#include "game/QuestManager.h"
#include "scenes/MyLightningWidget.h"
#include "scenes/RainWidget.h"
#include "tests/support/Fixtures.h"
#include "tests/support/GLTestSuite.h"
#include "tests/support/ScreenTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

class FrontendScreens : public GLTestSuite {
protected:
    template <class T>
    T* topAs() const
    {
        return dynamic_cast<T*>(app.top());
    }
    // Runs 20 ms frames until the condition holds (at most `limit`).
    bool framesUntil(const std::function<bool()>& done, int limit = 200)
    {
        for (int i = 0; i < limit; ++i) {
            if (done())
                return true;
            app.frames(1, 20);
        }
        return done();
    }
    void key(int code, int unicode)
    {
        KeyEvent e;
        e.key = code;
        e.unicode = unicode;
        e.character = static_cast<unsigned char>(unicode);
        app.top()->onKey(&e);
    }
    void type(const std::string& text)
    {
        for (char c : text)
            key(c, c);
    }
    void enter() { key(13, 13); }
    // The name entry of the profiles menu on top, opened and ready.
    PlayerNameEntry* nameEntry()
    {
        EXPECT_TRUE(framesUntil([this] {
            auto* entry = topAs<PlayerNameEntry>();
            return entry && entry->getField() && entry->getState() == ScreenBase::Idle;
        }));
        return topAs<PlayerNameEntry>();
    }
    PlayerProfilesMenu* openProfiles()
    {
        ScreenRoutes::show(new PlayerProfilesMenu());
        EXPECT_TRUE(framesUntil([this] {
            auto* menu = topAs<PlayerProfilesMenu>();
            return (menu && menu->isOpen()) || topAs<PlayerNameEntry>();
        }));
        return dynamic_cast<PlayerProfilesMenu*>(app.stack.back()) ? topAs<PlayerProfilesMenu>() : nullptr;
    }
    void press(Widget* button)
    {
        ASSERT_NE(button, nullptr);
        const WidgetGeometry& g = button->getGeometry();
        clickAt(app, g.x + g.w / 2, g.y + g.h / 2);
        app.frames(1, 20);
    }
    PlayerProfile* addProfile(const std::string& name, int mode)
    {
        PlayerProfiles* profiles = PlayerProfiles::instance();
        PlayerProfile* p = profiles->addProfile(name, mode);
        profiles->select(profiles->profileCount() - 1);
        return p;
    }

    SingletonReset singletons;
    TempFolder folder;
    ScreenTestApp app;
};

class RecordingListener : public DialogScreenListener {
public:
    void onDialogScreenClosed(int id) override { ids.push_back(id); }
    std::vector<int> ids;
};

Color blend(Color below, Color over, int alpha)
{
    const auto mix = [alpha](int b, int o) { return (b * (255 - alpha) + o * alpha) / 255; };
    return Color(mix(below.r, over.r), mix(below.g, over.g), mix(below.b, over.b));
}

::testing::AssertionResult near(Color got, Color want, int tolerance = 3)
{
    const auto off = [tolerance](int a, int b) { return a - b > tolerance || b - a > tolerance; };
    if (off(got.r, want.r) || off(got.g, want.g) || off(got.b, want.b))
        return ::testing::AssertionFailure() << "got " << int(got.r) << "," << int(got.g) << "," << int(got.b)
                                             << " want " << int(want.r) << "," << int(want.g) << "," << int(want.b);
    return ::testing::AssertionSuccess();
}

bool shownAndEnabled(const Widget* w)
{
    return w && w->isVisible() && w->isEnabled();
}

void drawStack(ScreenTestApp& app)
{
    GLGraphics g;
    g.init(1024, 768, 1000);
    for (ScreenBase* screen : app.stack)
        screen->draw(g);
}

} // namespace

TEST_F(FrontendScreens, TheFirstProfileIsCreatedThroughTheNameEntryAndHandedBackOnce)
{
    SpyScreen* below = new SpyScreen(ScreenAttributes());
    app.pushScreen(below);
    ASSERT_EQ(openProfiles(), nullptr) << "with no profile the name entry opens by itself";
    auto* menu = dynamic_cast<PlayerProfilesMenu*>(app.stack[1]);
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->getButton(PlayerProfilesMenu::OkButton)->isEnabled());
    PlayerNameEntry* entry = nameEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(entry->isCreateMode());
    EXPECT_FALSE(entry->getCancelButton()->isEnabled()) << "the first profile cannot be cancelled";

    // Keys before the field was clicked do nothing; the placeholder is no name.
    type("Zed");
    EXPECT_EQ(entry->getField()->getText(), FrontendUi::label("ENTER_YOUR_NAME"));
    enter();
    app.frames(5, 20);
    EXPECT_EQ(app.top(), entry);

    const WidgetGeometry& field = entry->getField()->getGeometry();
    EXPECT_EQ(field.x + field.w / 2, 536);
    EXPECT_EQ(field.y + field.h / 2, 261);
    clickAt(app, 536, 261);
    EXPECT_EQ(entry->getField()->getText(), "");
    type("Bob");
    press(entry->getFearlessBox());
    EXPECT_TRUE(entry->getFearlessBox()->isChecked());
    EXPECT_FALSE(entry->getCasualBox()->isChecked());
    enter();
    ASSERT_TRUE(framesUntil([&] { return app.top() == menu; }));
    // Uncovered again (say, by a pause screen) before it has gone: nothing more.
    menu->activate(nullptr);
    ASSERT_TRUE(framesUntil([&] { return app.top() == below; }));
    PlayerProfiles* profiles = PlayerProfiles::instance();
    ASSERT_EQ(profiles->profileCount(), 1);
    EXPECT_EQ(profiles->profileAt(0)->getName(), "Bob");
    EXPECT_EQ(profiles->profileAt(0)->getPlayMode(), 1);
    EXPECT_EQ(profiles->getCurrentIndex(), 0);
}

TEST_F(FrontendScreens, TheNameEntryRefusesTakenNamesAndStopsAtTheNameLength)
{
    addProfile("Ann", 1);
    PlayerProfilesMenu* menu = openProfiles();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->getList()->getSelectedIndex(), 0);

    // Renaming to the unchanged name is refused; the mode shows, unchangeable.
    press(menu->getButton(PlayerProfilesMenu::RenameButton));
    PlayerNameEntry* entry = nameEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_FALSE(entry->isCreateMode());
    EXPECT_EQ(entry->getField()->getText(), "Ann");
    EXPECT_TRUE(entry->getFearlessBox()->isChecked());
    EXPECT_FALSE(entry->getFearlessBox()->isEnabled());
    enter();
    app.frames(5, 20);
    EXPECT_EQ(app.top(), entry);
    press(entry->getCancelButton());
    ASSERT_TRUE(framesUntil([&] { return app.stack.empty(); }));
    EXPECT_EQ(PlayerProfiles::instance()->profileAt(0)->getName(), "Ann");

    // Creating "Ann" again is refused, "ann" is another name; 20 letters
    // make a name of 16.
    menu = openProfiles();
    press(menu->getButton(PlayerProfilesMenu::CreateButton));
    entry = nameEntry();
    clickAt(app, 536, 261);
    type("Ann");
    enter();
    app.frames(5, 20);
    EXPECT_EQ(app.top(), entry);
    EXPECT_FALSE(entry->isNameValid());
    key(8, 8);
    key(8, 8);
    key(8, 8);
    type("abcdefghijklmnopqrst");
    EXPECT_EQ(entry->getField()->getText(), "abcdefghijklmnop");
    enter();
    ASSERT_TRUE(framesUntil([&] { return app.stack.empty(); }));
    ASSERT_EQ(PlayerProfiles::instance()->profileCount(), 2);
    EXPECT_EQ(PlayerProfiles::instance()->profileAt(1)->getName(), "abcdefghijklmnop");
    EXPECT_EQ(PlayerProfiles::instance()->getCurrentIndex(), 1);
}

TEST_F(FrontendScreens, DeletingAnEarlierProfileKeepsTheCurrentOneCurrent)
{
    addProfile("Bob", 0);
    addProfile("Ann", 0);
    PlayerProfilesMenu* menu = openProfiles();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->getList()->getSelectedIndex(), 1);
    press(menu->getButton(PlayerProfilesMenu::UpButton));
    EXPECT_EQ(menu->getList()->getSelectedIndex(), 0);
    press(menu->getButton(PlayerProfilesMenu::DeleteButton));
    ASSERT_NE(menu->getDeleteQuestion(), nullptr);
    ASSERT_TRUE(framesUntil([&] { return menu->getDeleteQuestion()->isContentsShown(); }));
    clickAt(app, 413, 464);  // yes
    ASSERT_TRUE(framesUntil([&] { return menu->getDeleteQuestion() == nullptr; }));
    PlayerProfiles* profiles = PlayerProfiles::instance();
    ASSERT_EQ(profiles->profileCount(), 1);
    EXPECT_EQ(profiles->profileAt(0)->getName(), "Ann");
    EXPECT_EQ(profiles->getCurrentIndex(), 0);
    EXPECT_EQ(menu->getList()->getSelectedIndex(), 0);
    EXPECT_EQ(menu->getList()->getLine(0), "Ann");
    app.frames(2, 20);  // the question's removal ends the frame's mouse input
    press(menu->getButton(PlayerProfilesMenu::OkButton));
    ASSERT_TRUE(framesUntil([&] { return app.stack.empty(); }));
    EXPECT_EQ(profiles->getCurrentIndex(), 0);
}

namespace {

// A screen below the conversation, filled with one colour to measure the dim.
class FilledScreen : public SpyScreen {
public:
    explicit FilledScreen(Color colour) : SpyScreen(ScreenAttributes()), fill(colour) {}
    void drawBackground(Graphics& g) override { g.fillRect(0, 0, 1024, 768, fill); }
    Color fill;
};

} // namespace

TEST_F(FrontendScreens, AnOverlayConversationDimsWaitsForTheButtonAndLeavesTheFlowAlone)
{
    loadSpyFlow(folder, 3);
    const Color fill(30, 46, 40);
    app.pushScreen(new FilledScreen(fill));
    RecordingListener listener;
    ScreenRoutes::show(new DialogScreen(0, "content/story/dialogs/CS_1_2_3.xml", &listener, true));
    auto* dialog = topAs<DialogScreen>();
    ASSERT_NE(dialog, nullptr);
    app.frames(30, 20);
    EXPECT_EQ(dialog->getDimAlpha(), DialogScreen::DimAlpha);
    drawStack(app);
    EXPECT_TRUE(near(window->readPixel(5, 700), blend(fill, Color(40, 20, 25), 179)));

    // The line waits for the continue button, however long.
    ASSERT_NE(dialog->getDialog(), nullptr);
    app.frames(100, 20);
    EXPECT_EQ(dialog->getDialog()->speaker(), 0);
    EXPECT_TRUE(dialog->getDialog()->isWaiting());
    EXPECT_FALSE(dialog->getDialog()->isEnded());
    QuarnButton* button = dialog->getContinueButton();
    ASSERT_TRUE(button->isVisible());
    EXPECT_EQ(button->getGeometry().x + button->getGeometry().w, 1024);
    clickAt(app, 921, 744);
    ASSERT_TRUE(framesUntil([&] { return listener.ids.size() == 1; }));
    EXPECT_EQ(listener.ids[0], 0);
    EXPECT_EQ(GameFlow::instance()->index, 0);
    ASSERT_EQ(app.stack.size(), 1u);
    drawStack(app);
    EXPECT_TRUE(near(window->readPixel(5, 700), fill));
}

TEST_F(FrontendScreens, TheContinueButtonsAndTheJournalArrowsShowNoTooltip)
{
    ResourceManager fonts;
    fonts.registerFont("FONT_TRISK10", new AngelFontGL("content/fonts/Trisk10.fnt"));
    app.resources = &fonts;
    // Rests the pointer on the button for two seconds.
    const auto restOn = [this](QuarnButton* button) {
        ASSERT_NE(button, nullptr);
        ASSERT_NE(button->getTooltipFont(), nullptr);
        const WidgetGeometry& g = button->getGeometry();
        MouseEvent rest;
        rest.x = g.x + g.w / 2;
        rest.y = g.y + g.h / 2;
        app.mouse = Point{rest.x, rest.y};
        app.top()->onMouse(rest);
        app.frames(100, 20);
        EXPECT_TRUE(button->isHovered());
        EXPECT_FALSE(button->isTooltipShown());
    };

    loadSpyFlow(folder, 3);
    ScreenRoutes::show(new DialogScreen(0, "content/story/dialogs/CS_1_2_3.xml", nullptr, true));
    auto* dialog = topAs<DialogScreen>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(framesUntil([&] { return shownAndEnabled(dialog->getContinueButton()); }));
    restOn(dialog->getContinueButton());
    app.closeScreen(nullptr);

    loadQuestChain(folder, 40);
    QuestManager::instance()->setCurrent(30);
    auto* journal = new DiaryScreen(true, -1, true, false, false);
    ScreenRoutes::show(journal);
    app.frames(60, 20);
    for (int id : {DiaryScreen::PreviousButton, DiaryScreen::NextButton, DiaryScreen::ContinueButton}) {
        SCOPED_TRACE(id);
        if (shownAndEnabled(journal->getButton(id)))
            restOn(journal->getButton(id));
    }
    app.closeScreen(nullptr);
    app.resources = nullptr;
}

TEST_F(FrontendScreens, OnlyTheOpaquePartOfAMarkerChoosesItsLocation)
{
    loadSpyFlow(folder, 4);
    loadQuestChain(folder, 8);
    PlayerProfile* profile = addProfile("Cy", 0);
    QuestManager::instance()->questAt(2)->open = true;
    MapOfKingdom* map = new MapOfKingdom(nullptr);
    ScreenRoutes::show(map);
    app.frames(10, 20);
    MapLocation* marker = map->markerOf(2);
    ASSERT_NE(marker, nullptr);
    const WidgetGeometry& g = marker->getGeometry();
    EXPECT_EQ(g.w, 128);
    clickAt(app, g.x + 2, g.y + 2);
    app.frames(30, 20);
    EXPECT_EQ(app.top(), map);
    clickAt(app, g.x + 64, g.y + 64);
    ASSERT_TRUE(framesUntil([&] { return app.top() != map; }));
    EXPECT_EQ(GameFlow::instance()->index, 2);
    EXPECT_EQ(profile->getFlowIndex(), 2);
}

TEST_F(FrontendScreens, TheFirstVisitTalksPlaysTheJournalClipAndTalksAgainWithTheButtonsHidden)
{
    loadSpyFlow(folder, 4);
    loadQuestChain(folder, 8);
    QuestManager* quests = QuestManager::instance();
    for (int q = 0; q <= MapOfKingdom::FirstVisitQuest; ++q)
        quests->complete(q);
    quests->setCurrent(MapOfKingdom::FirstVisitQuest);
    MapOfKingdom* map = new MapOfKingdom(nullptr);
    ScreenRoutes::show(map);
    const auto clickThrough = [&](const std::string& path) {
        ASSERT_TRUE(framesUntil([&] { return topAs<DialogScreen>() != nullptr; }, 300));
        EXPECT_EQ(topAs<DialogScreen>()->getDialogPath(), path);
        while (auto* dialog = topAs<DialogScreen>()) {
            if (dialog->getContinueButton() && dialog->getContinueButton()->isEnabled())
                clickAt(app, 921, 744);
            app.frames(1, 20);
        }
    };
    ASSERT_TRUE(framesUntil([&] { return topAs<DialogScreen>() != nullptr; }, 300));
    EXPECT_FALSE(map->getMainMenuButton()->isVisible());
    EXPECT_FALSE(map->getMainMenuButton()->isEnabled());
    clickThrough(MapOfKingdom::FirstVisitDialog);
    // The clip between the conversations; the buttons are still hidden.
    EXPECT_EQ(app.top(), map);
    EXPECT_FALSE(map->getMainMenuButton()->isVisible());
    EXPECT_FALSE(map->getJournalButton()->isEnabled());
    clickThrough(MapOfKingdom::SecondVisitDialog);
    EXPECT_EQ(app.top(), map);
    EXPECT_TRUE(map->getMainMenuButton()->isVisible());
    EXPECT_TRUE(map->getMainMenuButton()->isEnabled());
    EXPECT_TRUE(map->getJournalButton()->isEnabled());
    EXPECT_EQ(map->getCaption()->getText().substr(map->getCaption()->getText().size() - 2), " 1");
}

// Where the checked picture of a box differs from the unchecked one: the tick.
WidgetGeometry tickOf(const std::string& unchecked, const std::string& checked)
{
    SDLSurfaceImage off(unchecked), on(checked);
    int left = on.getWidth(), top = on.getHeight(), right = -1, bottom = -1;
    for (int y = 0; y < on.getHeight(); ++y)
        for (int x = 0; x < on.getWidth(); ++x) {
            const Color a = off.getPixel(x, y), b = on.getPixel(x, y);
            if (std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) > 120) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
    return right < 0 ? WidgetGeometry() : WidgetGeometry(left, top, 0, right - left + 1, bottom - top + 1);
}

bool overlap(const WidgetGeometry& a, const WidgetGeometry& b)
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

TEST_F(FrontendScreens, TheOptionsTickTheirBoxesWhereAClickTogglesThemAndShowTheVersionLineClearOfOk)
{
    ResourceManager fonts;
    fonts.registerFont("FONT_ARIAL14", new AngelFontGL("content/fonts/Arial14.fnt"));
    app.resources = &fonts;
    struct Unset {
        ScreenTestApp& app;
        ~Unset() { app.resources = nullptr; }
    } unset{app};
    ScreenRoutes::show(new OptionsMenu());
    ASSERT_TRUE(framesUntil([this] { return topAs<OptionsMenu>() && topAs<OptionsMenu>()->isOpen(); }));
    OptionsMenu* menu = topAs<OptionsMenu>();

    // A click on the middle of the tick the pictures draw toggles each box.
    const WidgetGeometry tick =
        tickOf("content/images/menus/options/CheckboxOff.jpg", "content/images/menus/options/CheckboxOn.jpg");
    ASSERT_GT(tick.w, 0) << "the checked box draws no tick";
    for (int id : {OptionsMenu::CursorBox, OptionsMenu::FullScreenBox}) {
        CustomCheckBox* box = menu->getBox(id);
        const bool before = box->isChecked();
        const WidgetGeometry& g = box->getGeometry();
        clickAt(app, g.x + tick.x + tick.w / 2, g.y + tick.y + tick.h / 2);
        app.frames(1, 20);
        EXPECT_NE(box->isChecked(), before) << "box " << id << ": the tick at " << tick.x << ", " << tick.y << " ("
                                            << tick.w << " x " << tick.h << ") lies outside its click area";
    }

    // The version line stays on the panel, with nothing over it.
    GLTexture* panel = menu->getResources()->findTexture("OPT_BG");
    GLTexture* ok = menu->getResources()->findTexture("OPT_BTN_OK_N");
    ASSERT_TRUE(panel && ok && menu->getVersionLine());
    const int ox = (1024 - panel->getWidth()) / 2, oy = (768 - panel->getHeight()) / 2;
    Font* font = FrontendUi::font("FONT_ARIAL14");
    ASSERT_NE(font, nullptr);
    WidgetGeometry line = menu->getVersionLine()->getGeometry();
    line.w = font->textWidth(menu->versionText());
    line.h = font->getLineHeight();
    const WidgetGeometry okButton((1024 - ok->getWidth()) / 2, oy + 488, 0, ok->getWidth(), ok->getHeight());
    EXPECT_FALSE(overlap(line, okButton)) << "the version line at " << line.x << ", " << line.y << " (" << line.w
                                          << " wide) lies under the OK button";
    EXPECT_TRUE(line.x >= ox && line.x + line.w <= ox + panel->getWidth() && line.y >= oy &&
                line.y + line.h <= oy + panel->getHeight())
        << "the version line leaves the panel";
}

TEST_F(FrontendScreens, TheMainMenuAsksForAPlayerNamesHimAndItsStormMoves)
{
    MainMenu* menu = new MainMenu();
    ScreenRoutes::show(menu);
    PlayerNameEntry* entry = nameEntry();
    ASSERT_NE(entry, nullptr);
    EXPECT_NE(dynamic_cast<PlayerProfilesMenu*>(app.stack[1]), nullptr);
    EXPECT_EQ(menu->getNameLabel()->getText(), "");
    clickAt(app, 536, 261);
    type("Cat");
    enter();
    ASSERT_TRUE(framesUntil([&] { return app.top() == menu; }));
    EXPECT_EQ(menu->getNameLabel()->getText(), "Cat");

    // Rain falls, the banners move, a strike flashes the sky.
    const float tipY = menu->getBigBanner()->vertexAt(5, 30).y;
    app.frames(20, 20);
    EXPECT_FALSE(menu->getRain()->getDrops().empty());
    EXPECT_NE(menu->getBigBanner()->vertexAt(5, 30).y, tipY);
    EXPECT_EQ(menu->pendingThunders(), 1);
    // Brightness summed over a patch of sky left of the sword: single drops
    // of rain do not tip it.
    const auto brightness = [&] {
        drawStack(app);
        int sum = 0;
        for (int y = 560; y < 640; y += 8)
            for (int x = 10; x < 90; x += 8) {
                const Color c = window->readPixel(x, y);
                sum += c.r + c.g + c.b;
            }
        return sum / 100;
    };
    ASSERT_TRUE(framesUntil([&] { return !menu->getLightning()->isStriking(); }));
    const int calm = brightness();
    menu->getLightning()->strike();
    app.frames(6, 20);
    EXPECT_GT(menu->getLightning()->getFlashAlpha(), 60);
    EXPECT_GT(brightness(), calm + 30);

    // No current profile: PLAY opens the profiles menu instead of leaving,
    // also with quests past the map (that play would be saved to nobody).
    PlayerProfiles::instance()->removeProfile(0);
    PlayerProfiles::instance()->addProfile("Dot", 0);
    loadQuestChain(folder, 8);
    for (int q = 0; q <= 4; ++q)
        QuestManager::instance()->complete(q);
    ASSERT_TRUE(QuestManager::instance()->isMapReached());
    menu->onButtonEvent(MainMenu::PlayButton, 1);
    EXPECT_EQ(menu->getState(), ScreenBase::Idle);
    EXPECT_NE(topAs<PlayerProfilesMenu>(), nullptr);
}

TEST_F(FrontendScreens, RainDensityAbove100SpawnsAsAt100)
{
    // 500 ms of 20 ms updates: no drop falls out of the area yet, so the
    // count is the number spawned.
    const auto dropsAfterHalfASecond = [](int density) {
        RainWidget rain;
        rain.setup(fixture("opaque32.png"), density, nullptr, 0x40ffffffu, 0.f);
        for (int i = 0; i < 25; ++i)
            rain.update(20, nullptr);
        return rain.getDrops().size();
    };
    const size_t at100 = dropsAfterHalfASecond(100);
    EXPECT_EQ(dropsAfterHalfASecond(150), at100);
    EXPECT_GT(at100, 3 * dropsAfterHalfASecond(50));
}
